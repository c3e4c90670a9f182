// "Eksport do CSV" of the menu "Zdarzenia": the events in memory, from a
// readout or an event file alike, as a table a spreadsheet opens.

#include "app/TForm1.h"
#include "events/EventCsv.h"
#include "events/EventCsvTexts.h"
#include "files/ReplaceQuestion.h"
#include "files/TextFile.h"

namespace {

// The name chosen, with ".csv" added when it does not end in it (any case).
QString CsvFileName(const QString& chosen) {
  return chosen.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".csv");
}

}  // namespace

void TForm1::EksportCSV1Click() {
  StatusBar1.Panels[1].Text.clear();
  if (!EventsLoaded) return;
  if (!ui_.ExecuteSaveDialog(SaveDialog3)) return;
  const QString fileName = CsvFileName(SaveDialog3.FileName);
  if (!ReplaceQuestion::MayReplace(ui_, SaveDialog3, fileName)) return;
  ExportEventsCsv(fileName);
}

bool TForm1::ExportEventsCsv(const QString& fileName) {
  EventCsv::Texts texts;
  texts.labels = EventLabels;
  texts.causes = CauseTexts;
  if (TextFile::WriteUtf8WithBom(fileName, EventCsv::Table(EventTable, texts))) return true;
  StatusBar1.Panels[1].Text = EventCsvTexts::WriteError;
  return false;
}
