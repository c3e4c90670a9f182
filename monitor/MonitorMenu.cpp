// The link monitor's handlers: "Monitor łącza" in the menu "Komunikacja"
// opens it, closing its window ends the watching; "Wyczyść" and "Zapisz…".

#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "files/ReplaceQuestion.h"
#include "files/TextFile.h"
#include "monitor/MonitorTexts.h"

#include <QDir>
#include <QFileInfo>

void TForm1::BuildMonitorControls() {
  RegisterControl(Monitorcza1, QStringLiteral("Monitorcza1"));
  Monitorcza1.Caption = MonitorTexts::kMenuEntry;
  RegisterControl(LinkMonitorDock, QStringLiteral("LinkMonitorDock"));
  LinkMonitorDock.Visible = false;
  RegisterControl(MonitorClearButton, QStringLiteral("MonitorClearButton"));
  MonitorClearButton.Caption = MonitorTexts::kClear;
  RegisterControl(MonitorSaveButton, QStringLiteral("MonitorSaveButton"));
  MonitorSaveButton.Caption = MonitorTexts::kSave;
  SaveDialog4 = {QStringLiteral("SaveDialog4"), QStringLiteral("Text files (*.txt)|*.TXT"), QString(),
                 QStringLiteral("txt"), true};
}

// Opening counts from now; an open monitor stays as it is.
void TForm1::Monitorcza1Click() {
  if (LinkMonitorDock.Visible) return;
  Monitor.SetClock([this] { return ui_.Now(); });
  Monitor.Clear();
  Mdb1.SetObserver(&Monitor);
  LinkMonitorDock.Visible = true;
}

// Closed, the monitor costs the link nothing: it is no longer told.
void TForm1::LinkMonitorDockClose() {
  if (Mdb1.Observer() == &Monitor) Mdb1.SetObserver(nullptr);
  LinkMonitorDock.Visible = false;
}

void TForm1::MonitorClearButtonClick() { Monitor.Clear(); }

// The rows kept and the counters as a text file. A name without an
// extension gets ".txt".
void TForm1::MonitorSaveButtonClick() {
  SaveDialog4.FileName = MonitorTexts::kFileName.arg(PadNumber3(FactoryNumber));
  if (!ui_.ExecuteSaveDialog(SaveDialog4)) return;
  QString path = SaveDialog4.FileName;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  if (!ReplaceQuestion::MayReplace(ui_, SaveDialog4, path)) return;
  if (TextFile::WriteLines(path, Monitor.FileLines(ui_.Now()))) {
    StatusBar1.Panels[1].Text = MonitorTexts::kSaved;
    return;
  }
  StatusBar1.Panels[1].Text = AppTexts::kWriteError;
  ui_.Beep();
  ui_.ShowMessage(AppTexts::WithSecondLine(MonitorTexts::kSaveFailed,
                                           MonitorTexts::kSaveFailedFile.arg(QDir::toNativeSeparators(path))));
}
