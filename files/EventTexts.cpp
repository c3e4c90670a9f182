// The event-texts section in the window: the captions of the 160 event
// indicators, the texts of the 64 event causes, and EventLabels, which keeps
// each event line's text as read so that it is written back unchanged.

#include "app/TForm1.h"
#include "files/EventTextsSection.h"
#include "files/TextFile.h"

bool TForm1::ReadEventTextsSection(const QString& fileName) {
  QStringList file;
  if (!TextFile::ReadLines(fileName, file)) {
    for (QString& label : EventLabels) label.clear();
    return false;
  }
  return ReadEventTextsFromLines(file);
}

// Codes the file does not mention keep the texts of an earlier file;
// EventLabels starts empty with every pass.
bool TForm1::ReadEventTextsFromLines(const QStringList& file) {
  for (QString& label : EventLabels) label.clear();
  const EventTextsSection::Parsed section = EventTextsSection::Parse(file);
  for (const NumberedLines::Line& line : section.lines) {
    const int n = line.number;
    if (n >= 1 && n <= kEventIndicators) {
      EventLabels[std::size_t(n)] = line.rest;
      ApplyEventLabelLine(zdLabel(n), line.rest);
      ApplyEventCheckBoxLine(CheckBox(n), line.rest);
    } else if (n >= EventTextsSection::kFirstCode && n < EventTextsSection::kFirstCode + kCauseTexts) {
      CauseTexts[std::size_t(n - EventTextsSection::kFirstCode)] = EventTextsSection::CauseText(line.rest);
    }
  }
  if (!section.ok) return false;
  // The list prints the cause texts: show the new ones.
  if (EventsLoaded) BuildEventList();
  return true;
}

void TForm1::WriteEventTextsSection(QStringList& file) {
  file += EventTextsSection::Compose(EventLabels, CauseTexts);
}

void TForm1::ApplyEventLabelLine(TLabel& label, const QString& rest) {
  label.Caption = EventTextsSection::IndicatorCaption(rest);
  label.Visible = !label.Caption.isEmpty();
}

void TForm1::ApplyEventCheckBoxLine(TCheckBox& box, const QString& rest) {
  box.Visible = !EventTextsSection::IndicatorCaption(rest).isEmpty();
}
