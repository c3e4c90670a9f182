// The event-file reader: the fuzzer's bytes as the event file x.dat, opened
// by TForm1::ReadEventFile (what "Otwórz plik" of the menu "Zdarzenia" runs:
// Windows-1250 decoding, the record block, the stamps and the event texts)
// in a window that shows another readout. Promised:
// - a file the pure reader refuses changes nothing of the readout on show
//   (records, identity, stamps) and puts "Błąd odczytu" in status panel 1;
//   a file it takes is shown whole, as the pure reader reads it, from its
//   first event;
// - neither beeps nor boxes: the status panel is the report;
// - the lines the writer composes for a readout read back as that readout;
// - what the window shows after a file it took, the program saves, and the
//   saved file opens in a fresh window as the same records, identity,
//   stamps and event texts.
// A stamp's date that holds two blanks in a row or ends in a blank cannot
// be told from the two blanks the writer puts before the time; such a stamp
// (only a damaged file gives one: the window's own dates have neither) comes
// back split at the first two blanks, and from then on stays as it is.

#include "FuzzCheck.h"
#include "FuzzForm.h"
#include "events/EventFileFormat.h"
#include "events/EventTexts.h"
#include "files/TextFile.h"

#include <QStringList>

#include <optional>

namespace {

// Everything of a readout the window shows and an event file carries.
struct ShownReadout {
  EventRecord::Table table{};
  QStringList fields;  // factory number, year, WLT date and time, PC date and time
  bool operator==(const ShownReadout&) const = default;
};

ShownReadout ShownBy(const TForm1& f) {
  return {f.EventTable,
          {f.EditNrFabr.Text, f.EditRokProd.Text, f.Edit5.Text, f.Edit6.Text, f.Edit7.Text, f.Edit8.Text}};
}

ShownReadout ShownFrom(const EventFileFormat::Readout& r) {
  return {r.table, {r.factoryNumber, r.productionYear, r.wltDate, r.wltTime, r.pcDate, r.pcTime}};
}

bool Framed(const QString& date) { return !date.contains(QStringLiteral("  ")) && !date.endsWith(QLatin1Char(' ')); }

// The same readout, the stamps only where the writer can frame them.
bool SameReadout(const ShownReadout& a, const ShownReadout& b) {
  if (Framed(a.fields[2]) && Framed(a.fields[4])) return a == b;
  return a.table == b.table && a.fields.mid(0, 2) == b.fields.mid(0, 2);
}

// Another readout on show before the file is opened.
void ShowOtherReadout(TForm1& f) {
  for (std::size_t k = 0; k < f.EventTable.size(); ++k)
    for (std::size_t i = 0; i < f.EventTable[k].size(); ++i) f.EventTable[k][i] = std::uint16_t(0x0101 * (k + i));
  f.EditTyp.Text = QStringLiteral("WLT");
  f.EditNrFabr.Text = QStringLiteral("123");
  f.EditRokProd.Text = QStringLiteral("2018");
  f.Edit5.Text = QStringLiteral("24-03-15");
  f.Edit6.Text = QStringLiteral("08:05:59");
  f.Edit7.Text = QStringLiteral("2024-03-15");
  f.Edit8.Text = QStringLiteral("08:06:01");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const std::optional<EventFileFormat::Readout> readout = EventFileFormat::Parse(TextFile::Decode(bytes));

  // The pure pair: what the writer makes of a readout reads back as it.
  if (readout) {
    const EventFileFormat::Header header{QStringLiteral("WLT"), readout->factoryNumber, readout->productionYear,
                                         readout->wltDate,      readout->wltTime,        readout->pcDate,
                                         readout->pcTime};
    const std::optional<EventFileFormat::Readout> again =
        EventFileFormat::Parse(EventFileFormat::Lines(header, readout->table));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(SameReadout(ShownFrom(*readout), ShownFrom(*again)));
    const EventFileFormat::Header second{QStringLiteral("WLT"), again->factoryNumber, again->productionYear,
                                         again->wltDate,        again->wltTime,        again->pcDate,
                                         again->pcTime};
    const std::optional<EventFileFormat::Readout> third =
        EventFileFormat::Parse(EventFileFormat::Lines(second, again->table));
    FUZZ_CHECK(third.has_value() && ShownFrom(*third) == ShownFrom(*again));
  }

  const QString path = ScratchFile(QStringLiteral("zdarzenia.dat"));
  FUZZ_CHECK(WriteWholeFile(path, bytes));
  FuzzWindow w;
  ShowOtherReadout(w.form);
  const ShownReadout before = ShownBy(w.form);
  const bool ok = w.form.ReadEventFile(path);
  FUZZ_CHECK(w.ui.Log.isEmpty());
  FUZZ_CHECK(ReadWholeFile(path) == bytes);
  if (!readout) {
    FUZZ_CHECK(!ok);
    FUZZ_CHECK(ShownBy(w.form) == before);
    FUZZ_CHECK(w.form.StatusBar1.Panels[1].Text == EventTexts::FileReadError);
    return 0;
  }
  FUZZ_CHECK(ShownBy(w.form) == ShownFrom(*readout));
  FUZZ_CHECK(w.form.EventsLoaded && w.form.CurrentEvent >= 0 && w.form.CurrentEvent < TForm1::kEventRecords);
  FUZZ_CHECK(ok || w.form.StatusBar1.Panels[1].Text.isEmpty() ||
             w.form.StatusBar1.Panels[1].Text == EventTexts::FileReadError);

  // Saved again, and opened in a fresh window.
  const QString saved = ScratchFile(QStringLiteral("zapis.dat"));
  FUZZ_CHECK(w.form.WriteEventFile(saved));
  FuzzWindow back;
  FUZZ_CHECK(back.form.ReadEventFile(saved));
  FUZZ_CHECK(SameReadout(ShownBy(w.form), ShownBy(back.form)));
  FUZZ_CHECK(back.form.EventLabels == w.form.EventLabels);
  FUZZ_CHECK(back.form.CauseTexts == w.form.CauseTexts);
  return 0;
}
