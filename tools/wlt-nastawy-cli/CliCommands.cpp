#include "CliCommands.h"

#include "WriteSettingsPlan.h"
#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "events/EventFileFormat.h"
#include "events/EventTexts.h"
#include "files/DiskFile.h"
#include "files/SettingsFileNames.h"
#include "launch/ShutdownSignals.h"
#include "services/ServiceTexts.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsTexts.h"

#include <QFileInfo>

#include <functional>

namespace {

class CommandRun {
 public:
  CommandRun(const CliRequest& request, TForm1& form, TerminalUi& ui, const TerminalUi::Sink& out,
             const std::function<bool()>& outputIntact)
      : f(form), request_(request), ui_(ui), out_(out), outputIntact_(outputIntact) {}

  // The window's start-up on the command line's line settings. It goes on
  // only when it found the controller; its own messages (the port, the
  // controller, the description file) have gone to standard error.
  bool StartUp() {
    Run([this] { f.FormCreate(request_.line.startUp); });
    return f.ControllerFound();
  }

  // Runs one handler. True when it did what it says: no beep, no box and no
  // refused confirmation; the file the command named was asked for; status
  // panel 1 reads panel1 afterwards (" Odczytano nastawy", or empty where
  // the handler clears it and sets it only on failure).
  bool Step(const std::function<void()>& handler, const QString& panel1 = QString()) {
    if (StoppedBy() != 0) return false;
    const int reports = ui_.Reports();
    const int refused = ui_.RefusedConfirmations();
    const bool statusChanged = Run(handler);
    const bool ok = ui_.Reports() == reports && ui_.RefusedConfirmations() == refused &&
                    f.StatusBar1.Panels[1].Text == panel1;
    if (ui_.FileDialogAnswerPending()) {
      ui_.AnswerNextFileDialog(QString());
      ui_.Note(Name() + QStringLiteral(": the window did not ask for the file; nothing was done with it"));
      return false;
    }
    if (!ok && ui_.Reports() == reports && ui_.RefusedConfirmations() == refused && !statusChanged)
      ui_.Note(Name() + QStringLiteral(": the window did not complete it"));
    return ok;
  }

  // A print handler: a step that also made its one print job.
  bool PrintStep(const std::function<void()>& handler) {
    const int jobs = ui_.PrintedJobs();
    if (!Step(handler)) return false;
    if (ui_.PrintedJobs() == jobs + 1) return true;
    ui_.Note(Name() + QStringLiteral(": nothing was printed"));
    return false;
  }

  // Runs the handler and writes the status texts it changed to standard
  // error; true when it changed any. After SIGTERM, SIGINT or SIGHUP no
  // further handler runs: the one running when the signal came has finished.
  bool Run(const std::function<void()>& handler) {
    if (StoppedBy() != 0) return false;
    const QString before0 = f.StatusBar1.Panels[0].Text;
    const QString before1 = f.StatusBar1.Panels[1].Text;
    handler();
    bool changed = false;
    for (const auto& [before, after] :
         {std::pair{before0, f.StatusBar1.Panels[0].Text}, std::pair{before1, f.StatusBar1.Panels[1].Text}}) {
      if (after == before || after.isEmpty()) continue;
      ui_.Note(QStringLiteral("status: ") + after);
      changed = true;
    }
    return changed;
  }

  // The signal that stopped the command before one of its handlers, or 0.
  int StoppedBy() {
    if (stoppedBy_ == 0 && ShutdownSignals::Received() != 0) {
      stoppedBy_ = ShutdownSignals::Received();
      ui_.Note(Name() + QStringLiteral(": stopped by ") +
               QLatin1String(ShutdownSignals::Name(stoppedBy_)));
    }
    return stoppedBy_;
  }
  // The same, without looking for a new signal: a signal after the last
  // handler leaves the command done.
  int Stopped() const { return stoppedBy_; }

  void Print(const QString& line) { out_(line); }
  // False once a line printed has not got out.
  bool OutputIntact() const { return !outputIntact_ || outputIntact_(); }
  // A line of the command's own on standard error, headed by its name.
  void Note(const QString& text) { ui_.Note(Name() + QStringLiteral(": ") + text); }
  void PrintAll(const QStringList& lines) {
    for (const QString& line : lines) Print(line);
  }
  const QString& Argument(int i) const { return request_.arguments[i]; }
  int Arguments() const { return int(request_.arguments.size()); }
  int Number(int i) const { return request_.schedule[std::size_t(i)]; }
  TerminalUi& ui() { return ui_; }
  QString Name() const { return QLatin1String(request_.entry->name); }
  TForm1& f;

 private:
  const CliRequest& request_;
  TerminalUi& ui_;
  const TerminalUi::Sink& out_;
  const std::function<bool()>& outputIntact_;
  int stoppedBy_ = 0;
};

// The commands that need no controller start from the window's catalogue,
// the first step of its start-up, and never touch the port.
void WithoutController(TForm1& f) { f.InitSettingsCatalogue(); }

QString Row(const QStringList& fields) { return fields.join(QLatin1Char(' ')); }

int Info(CommandRun& r) {
  if (!r.StartUp()) return 1;
  r.Print(r.f.LabelNrFabr.Caption + r.f.EditNrFabr.Text);
  r.Print(r.f.LabelRokProd.Caption + r.f.EditRokProd.Text);
  r.Print(r.f.StatusBar1.Panels[0].Text);
  return 0;
}

// The window's save names the file by its own rule (".txt" added to a name
// without it) and keeps the file of the same stem with ".txt" as the backup
// ".bak"; the command says which files those were.
int ReadSettings(CommandRun& r) {
  if (!r.StartUp() || !r.Step([&] { r.f.N1Click(); }, SettingsTexts::SettingsRead)) return 1;
  using namespace SettingsFileNames;
  const QString chosen = r.Argument(0);
  const QString old = SiblingWithExtension(chosen, kTextExtension);
  const bool hadOld = QFileInfo::exists(old);
  r.ui().AnswerNextFileDialog(chosen);
  if (!r.Step([&] { r.f.Zapiszjako1Click(); })) return 1;
  const QString written = SaveTarget(chosen);
  const QString backup = SiblingWithExtension(chosen, kBackupExtension);
  r.Note(QStringLiteral("saved as ") + written);
  if (!hadOld) return 0;
  if (QFileInfo(old).absoluteFilePath() == QFileInfo(written).absoluteFilePath())
    r.Note(QStringLiteral("the old file is kept as ") + backup);
  else
    r.Note(QStringLiteral("the old file %1 is now %2").arg(old, backup));
  return 0;
}

// The file is opened before anything is written: a file that does not load
// completely stops the command with the controller untouched. What the file
// does not give keeps what the controller holds (read at connection); the
// changes are printed, and only when they got out is the set written.
int WriteSettings(CommandRun& r, bool confirmed) {
  if (!r.StartUp()) return 1;
  const SettingsDiff::Image held = r.f.SettingsImage;
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.Otwrz1Click(); })) return 1;
  // The name of the file opened gave the factory number.
  const int controller = WriteSettingsPlan::FactoryNumber(held);
  if (r.f.FactoryNumber != controller && !confirmed) {
    r.Note(QStringLiteral("the file is for the controller with factory number %1, the controller "
                          "connected has %2; confirm with --yes")
               .arg(r.f.FactoryNumber)
               .arg(controller));
    return 2;
  }
  WriteSettingsPlan::KeepControllerValues(r.f, held);
  // The conversion the write makes first; a value it refuses, the write
  // reports itself.
  if (r.f.GridToImage()) {
    r.f.CheckBoxesToImage();
    for (const SettingsDiff::Change& change :
         SettingsDiff::Compare(held, r.f.SettingsImage, WriteSettingsPlan::ShownNames(r.f)))
      r.Print(SettingsDiff::Line(change));
    if (!r.OutputIntact()) {
      r.Note(QStringLiteral("the list of changes did not get out; nothing was written"));
      return 1;
    }
  }
  return r.Step([&] { r.f.WLTPC1Click(); }, SettingsTexts::SettingsWritten) ? 0 : 1;
}

// The settings printout's lines come from "Drukuj" itself, printed onto
// standard output.
int ShowSettings(CommandRun& r) {
  WithoutController(r.f);
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.Otwrz1Click(); })) return 1;
  r.ui().PrintOntoOutput();
  return r.PrintStep([&] { r.f.Drukuj2Click(); }) ? 0 : 1;
}

// The PDF never replaces the file it is printed from: an output naming the
// file as given or as the window reads it (a settings name with ".txt"
// added, an event file's ".dat"), or a link to it, stops the command before
// anything is read or written.
bool OutputNamesInput(CommandRun& r, const QString& fileRead) {
  for (const QString& input : {r.Argument(0), fileRead}) {
    if (r.Argument(1) != input && !DiskFile::SameFile(r.Argument(1), input)) continue;
    r.ui().Note(r.Name() + QStringLiteral(": the PDF file would replace the file printed from, ") + input +
                QStringLiteral("; nothing was written"));
    return true;
  }
  return false;
}

int PrintSettings(CommandRun& r) {
  if (OutputNamesInput(r, SettingsFileNames::LoadTarget(r.Argument(0)))) return 1;
  WithoutController(r.f);
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.Otwrz1Click(); })) return 1;
  r.ui().PrintIntoPdf(r.Argument(1));
  return r.PrintStep([&] { r.f.Drukuj2Click(); }) ? 0 : 1;
}

int ReadEvents(CommandRun& r) {
  if (!r.StartUp() || !r.Step([&] { r.f.Odczyt1Click(); }, EventTexts::EventsRead)) return 1;
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.Zapiszjako2Click(); })) return 1;
  r.Note(QStringLiteral("saved as ") + EventFileFormat::FileName(r.Argument(0)));
  r.PrintAll(r.f.ListBox1.Items);
  return 0;
}

int ShowEvents(CommandRun& r) {
  WithoutController(r.f);
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.OdczytPC1Click(); })) return 1;
  r.PrintAll(r.f.ListBox1.Items);
  return 0;
}

int PrintEvents(CommandRun& r) {
  if (OutputNamesInput(r, EventFileFormat::FileName(r.Argument(0)))) return 1;
  WithoutController(r.f);
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.OdczytPC1Click(); })) return 1;
  r.ui().PrintIntoPdf(r.Argument(1));
  return r.PrintStep([&] { r.f.Drukuj1Click(); }) ? 0 : 1;
}

// One tick of the window's timer. It reports a failed read of the
// controller's clock only by the placeholders in the controller's row.
int Clock(CommandRun& r) {
  if (!r.StartUp()) return 1;
  r.Run([&] { r.f.Timer1Timer(); });
  TForm1& f = r.f;
  r.Print(Row({f.LabelClockWlt.Caption, f.Edit9.Text, f.Edit10.Text, f.Edit15.Text}));
  r.Print(Row({f.LabelClockPc.Caption, f.Edit11.Text, f.Edit12.Text, f.Edit17.Text}));
  if (f.Edit9.Text != ServiceTexts::NoDate) return 0;
  r.ui().Note(QStringLiteral("clock: the controller's clock could not be read"));
  return 1;
}

int SetClock(CommandRun& r) {
  return r.StartUp() && r.Step([&] { r.f.Button4Click(); }) ? 0 : 1;
}

int ReadSchedule(CommandRun& r) {
  if (!r.StartUp() || !r.Step([&] { r.f.Button6Click(); })) return 1;
  TForm1& f = r.f;
  r.Print(Row({f.LabelTest1.Caption, f.ComboBox5.Text, f.SpinEdit3.Text}));
  r.Print(Row({f.LabelTest2.Caption, f.ComboBox6.Text, f.SpinEdit4.Text}));
  r.Print(Row({f.LabelTest3.Caption, f.ComboBox7.Text, f.SpinEdit5.Text}));
  return 0;
}

// The rows are set as the user sets them on the page: a day picked from the
// list, an hour typed into the spin edit and its change handler.
int WriteSchedule(CommandRun& r) {
  if (!r.StartUp()) return 1;
  TForm1& f = r.f;
  TComboBox* days[] = {&f.ComboBox5, &f.ComboBox6, &f.ComboBox7};
  TSpinEdit* hours[] = {&f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5};
  for (int row = 0; row < 3; ++row) {
    days[row]->SetItemIndex(r.Number(2 * row));
    hours[row]->Text = QString::number(r.Number(2 * row + 1));
    f.SpinEdit2Change();
  }
  return r.Step([&] { f.Button2Click(); }) ? 0 : 1;
}

int SetAddress(CommandRun& r, int address) {
  if (!r.StartUp()) return 1;
  r.f.SpinEdit2.Text = QString::number(address);
  r.f.SpinEdit2Change();
  return r.Step([&] { r.f.Button3Click(); }, ServiceTexts::AddressSet) ? 0 : 1;
}

int Signal(CommandRun& r) {
  return r.StartUp() && r.Step([&] { r.f.Button1Click(); }) ? 0 : 1;
}

// A settings file as the window would write it, from controls that held
// nothing before: what the file does not give is no integer, and stops the
// compare as the write would stop.
bool SettingsOfFile(CommandRun& r, const QString& file, SettingsDiff::Image& image, SettingsDiff::Names& names) {
  for (int row = 1; row <= SettingsRegisterMap::kTimingRows; ++row) r.f.StringGrid1.Cells(1, row).clear();
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox; ++box)
    r.f.CheckBox(box).Checked = false;
  WithoutController(r.f);
  r.ui().AnswerNextFileDialog(file);
  if (!r.Step([&] { r.f.Otwrz1Click(); })) return false;
  const std::optional<SettingsDiff::Image> settings = SettingsCompare::WindowImage(r.f, SettingsDiff::Image{});
  if (!settings) {
    r.Note(file + QStringLiteral(": ") + SettingsTexts::InvalidValue);
    return false;
  }
  image = *settings;
  names = SettingsCompare::ShownNames(r.f);
  return true;
}

// The file against the controller is the window's "Porównaj z WLT" on the
// file opened over what the controller holds, as write-settings would
// write it: its table comes out as lines, the controller's value first.
int DiffWithController(CommandRun& r) {
  if (!r.StartUp()) return 1;
  const SettingsDiff::Image held = r.f.SettingsImage;
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.Otwrz1Click(); })) return 1;
  WriteSettingsPlan::KeepControllerValues(r.f, held);
  const int reports = r.ui().Reports();
  const int tables = r.ui().DifferenceTables();
  r.Run([&] { r.f.Porownaj1Click(); });
  if (r.Stopped() != 0 || r.ui().Reports() != reports) return 1;
  if (r.ui().DifferenceTables() > tables) return r.OutputIntact() ? 3 : 1;
  return r.f.StatusBar1.Panels[1].Text == SettingsTexts::SettingsEqual ? 0 : 1;
}

int DiffSettings(CommandRun& r) {
  if (r.Arguments() == 1) return DiffWithController(r);
  SettingsDiff::Image first{}, second{};
  SettingsDiff::Names firstNames, names;
  if (!SettingsOfFile(r, r.Argument(0), first, firstNames) || !SettingsOfFile(r, r.Argument(1), second, names))
    return 1;
  // Named as the second file names them, as write-settings names a change by the file it writes.
  const std::vector<SettingsDiff::Change> differences = SettingsDiff::Compare(first, second, names);
  for (const SettingsDiff::Change& difference : differences) r.Print(SettingsDiff::Line(difference));
  if (!r.OutputIntact()) return 1;
  return differences.empty() ? 0 : 3;
}

int ExportEvents(CommandRun& r) {
  WithoutController(r.f);
  r.ui().AnswerNextFileDialog(r.Argument(0));
  if (!r.Step([&] { r.f.OdczytPC1Click(); })) return 1;
  r.ui().AnswerNextFileDialog(r.Argument(1));
  if (!r.Step([&] { r.f.EksportCSV1Click(); })) return 1;
  r.Note(QStringLiteral("saved as ") + r.f.SaveDialog3.FileName +
         (r.f.SaveDialog3.FileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? QString()
                                                                                        : QStringLiteral(".csv")));
  return 0;
}

// The window's search; on a find it has set the transmission page and
// connected, and the page says how.
int Scan(CommandRun& r) {
  WithoutController(r.f);
  r.Run([&] { r.f.Szukaj1Click(); });
  const PortSearch::Found& find = r.f.LastFind;
  if (!find.Device.empty()) {
    r.Print(AppTexts::kSearchDevice.arg(QString::fromStdString(find.Device), r.f.ComboBox1.Text));
    for (const auto& [label, text] : {std::pair{&r.f.LabelBaud, r.f.ComboBox2.Text},
                                      std::pair{&r.f.LabelParity, r.f.ComboBox3.Text},
                                      std::pair{&r.f.LabelAddress, r.f.SpinEdit1.Text}})
      r.Print(label->Caption + QStringLiteral(": ") + text);
    if (find.IdentityRead) {
      r.Print(r.f.LabelNrFabr.Caption + QString::number(find.FactoryNumber));
      r.Print(r.f.LabelRokProd.Caption + QString::number(find.Year));
    }
    r.Print(r.f.StatusBar1.Panels[0].Text);
  }
  const bool connected = r.f.ControllerFound();
  r.f.FormDestroy();
  return connected ? 0 : 1;
}

int Dispatch(const CliRequest& request, CommandRun& r) {
  switch (request.entry->command) {
    case CliCommand::Info:
      return Info(r);
    case CliCommand::ReadSettings:
      return ReadSettings(r);
    case CliCommand::WriteSettings:
      return WriteSettings(r, request.yes);
    case CliCommand::ShowSettings:
      return ShowSettings(r);
    case CliCommand::ReadEvents:
      return ReadEvents(r);
    case CliCommand::ShowEvents:
      return ShowEvents(r);
    case CliCommand::Clock:
      return Clock(r);
    case CliCommand::SetClock:
      return SetClock(r);
    case CliCommand::ReadSchedule:
      return ReadSchedule(r);
    case CliCommand::WriteSchedule:
      return WriteSchedule(r);
    case CliCommand::SetAddress:
      return SetAddress(r, request.address);
    case CliCommand::Signal:
      return Signal(r);
    case CliCommand::PrintSettings:
      return PrintSettings(r);
    case CliCommand::PrintEvents:
      return PrintEvents(r);
    case CliCommand::DiffSettings:
      return DiffSettings(r);
    case CliCommand::ExportEvents:
      return ExportEvents(r);
    case CliCommand::Scan:
      return Scan(r);
  }
  return 1;
}

}  // namespace

int RunCliCommand(const CliRequest& request, TForm1& form, TerminalUi& ui, const TerminalUi::Sink& out,
                  const std::function<bool()>& outputIntact) {
  CommandRun run(request, form, ui, out, outputIntact);
  // The files named on the command line are the answers of the save
  // dialogs, given before the run: replacing one asks nothing (a settings
  // file's old version is kept as its .bak).
  form.SaveDialog1.OverwritePrompt = form.SaveDialog2.OverwritePrompt = false;
  const int status = Dispatch(request, run);
  if (request.entry->needsController) form.FormDestroy();
  // A command a signal cut short ends as the shells expect of one.
  if (run.Stopped() != 0) return 128 + run.Stopped();
  // The window asked where the command line gave no answer: as if --yes
  // were missing.
  if (ui.RefusedConfirmations() > 0) return 2;
  return status;
}
