// The event file entries of the menu "Zdarzenia": "Zapisz plik jako..."
// writes the events in memory with their time stamps and event texts,
// "Otwórz plik" loads such a file back for review without the controller.

#include "app/TForm1.h"
#include "events/EventFileFormat.h"
#include "events/EventPage.h"
#include "events/EventTexts.h"
#include "files/EventTextsSection.h"
#include "files/NumberedLines.h"
#include "files/ReplaceQuestion.h"
#include "files/TextFile.h"

namespace {

// A "Zdarzenia:" heading with lines behind it. A file without one has no
// event texts, which is no read error.
bool HasEventTextsSection(const QStringList& file) {
  NumberedLines::Reader reader(file);
  return reader.FindHeading({EventTextsSection::kHeading});
}

}  // namespace

void TForm1::Zapiszjako2Click() {
  StatusBar1.Panels[1].Text.clear();
  if (!ui_.ExecuteSaveDialog(SaveDialog2)) return;
  // The dialog's own question, about the name the save writes.
  const QString fileName = EventFileFormat::FileName(SaveDialog2.FileName);
  if (!ReplaceQuestion::MayReplace(ui_, SaveDialog2, fileName)) return;
  WriteEventFile(fileName);
}

void TForm1::OdczytPC1Click() {
  StatusBar1.Panels[1].Text.clear();
  if (!ui_.ExecuteOpenDialog(OpenDialog2)) return;
  ReadEventFile(EventFileFormat::FileName(OpenDialog2.FileName));
}

// The whole file is composed first and replaces an existing one only when
// complete. Nothing on the screen changes on success.
bool TForm1::WriteEventFile(const QString& fileName) {
  const EventFileFormat::Header header{EditTyp.Text, EditNrFabr.Text, EditRokProd.Text, Edit5.Text,
                                       Edit6.Text,   Edit7.Text,      Edit8.Text};
  QStringList file = EventFileFormat::Lines(header, EventTable);
  WriteEventTextsSection(file);
  if (TextFile::WriteLines(fileName, file)) return true;
  StatusBar1.Panels[1].Text = EventTexts::FileWriteError;
  return false;
}

// The records and stamps are read whole before anything is shown: a file
// that does not read changes nothing, so the window never shows part of one
// readout beside part of another. The event texts follow as in a settings
// file; without them the file's events are shown under the texts in use.
bool TForm1::ReadEventFile(const QString& fileName) {
  QStringList file;
  std::optional<EventFileFormat::Readout> readout;
  if (TextFile::ReadLines(fileName, file)) readout = EventFileFormat::Parse(file);
  if (!readout) {
    StatusBar1.Panels[1].Text = EventTexts::FileReadError;
    return false;
  }
  EditNrFabr.Text = readout->factoryNumber;
  EditRokProd.Text = readout->productionYear;
  Edit5.Text = readout->wltDate;
  Edit6.Text = readout->wltTime;
  Edit7.Text = readout->pcDate;
  Edit8.Text = readout->pcTime;
  EventTable = readout->table;
  EventsLoaded = true;
  EventPage::ShowList(*this);
  EventPage::EnableEventCommands(*this);
  CurrentEvent = 0;

  const bool texts = ReadEventTextsFromLines(file);  // rebuilds the list when it succeeds
  if (!texts) BuildEventList();
  ShowEvent(0, +1);
  if (texts) return true;
  // A section that breaks off at a line without a number is a read error;
  // what it gave before that line stays, like the file's events.
  if (HasEventTextsSection(file)) StatusBar1.Panels[1].Text = EventTexts::FileReadError;
  return false;
}
