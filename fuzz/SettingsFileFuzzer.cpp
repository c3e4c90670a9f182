// The settings and description file loader: the fuzzer's bytes as the file
// WLT_nastawy_007.txt, loaded by TForm1::LoadSettingsFile (what "Otwórz plik"
// and the start-up run: Windows-1250 decoding, the three passes and their
// application to the controls) in a fresh window. Promised:
// - the decoded lines carry no line ends, and encoded again they give the
//   same bytes, every line end (CR LF, LF or CR) as CR LF;
// - the load reports exactly once ("Błąd odczytu" with a beep) or not at
//   all, and the caption tells which;
// - no field outgrows the width it is cut at, a control is shown exactly
//   when its caption is not empty, and the file on disk is not touched;
// - a file that loads, with values the grid takes as register values, is
//   saved by the program, and the saved file loads back into a fresh window
//   as the same grid, check boxes and event texts.

#include "FuzzCheck.h"
#include "FuzzForm.h"
#include "files/EventTextsSection.h"
#include "files/NumberedLines.h"
#include "files/TextFile.h"
#include "settings/SettingsRegisterMap.h"

#include <QFile>
#include <QStringList>

namespace {

void CheckWindow(const TForm1& form) {
  FUZZ_CHECK(form.StringGrid1.Cells(0, 0) == QStringLiteral("Nastawa"));
  for (int row = 1; row <= 20; ++row) {
    FUZZ_CHECK(form.StringGrid1.Cells(0, row).size() <= 20);
    FUZZ_CHECK(form.StringGrid1.Cells(1, row).size() <= 10);
    FUZZ_CHECK(form.StringGrid1.Cells(2, row).size() <= 9);
  }
  for (int n = 801; n <= 910; ++n) {
    FUZZ_CHECK(form.CheckBox(n).Caption.size() <= 20);
    FUZZ_CHECK(form.CheckBox(n).Visible == !form.CheckBox(n).Caption.isEmpty());
  }
  for (int n = 1; n <= 160; ++n) {
    const TLabel& label = form.zdLabel(n);
    FUZZ_CHECK(label.Caption.size() <= 20);
    FUZZ_CHECK(label.Visible == !label.Caption.isEmpty());
    FUZZ_CHECK(form.CheckBox(n).Visible == label.Visible);
  }
  for (const QString& text : form.CauseTexts) FUZZ_CHECK(text == NumberedLines::Trim(text));
}

// The bytes with every line end as CR LF, and one after a last line without it.
QByteArray WithCrLf(const QByteArray& bytes) {
  QByteArray out;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      out += "\r\n";
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      out += bytes[i];
    }
  }
  if (!bytes.isEmpty() && !out.endsWith("\r\n")) out += "\r\n";
  return out;
}

// After a load from the file: the caption and the report agree.
bool Loaded(const FuzzWindow& w, const QString& number) {
  const bool ok = w.ui.Log.isEmpty();
  FUZZ_CHECK(ok || w.ui.Log == QStringList({QStringLiteral("beep"), QStringLiteral("message:Błąd odczytu")}));
  FUZZ_CHECK(w.form.Caption == QStringLiteral("WLT - nastawy ") + number + (ok ? QString() : QStringLiteral("*")));
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList lines = TextFile::Decode(bytes);
  for (const QString& line : lines)
    FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
  FUZZ_CHECK(TextFile::Encode(lines) == WithCrLf(bytes));

  const QString path = ScratchFile(QStringLiteral("WLT_nastawy_007.txt"));
  FUZZ_CHECK(WriteWholeFile(path, bytes));
  FuzzWindow w;
  w.form.FactoryNumber = 7;
  w.form.LoadSettingsFile(path);
  const bool ok = Loaded(w, QStringLiteral("007"));
  CheckWindow(w.form);
  FUZZ_CHECK(ReadWholeFile(path) == bytes);
  if (!ok) return 0;

  // Saved as the program saves it, then loaded back.
  for (int row = 1; row <= 20; ++row)  // a value that is no register value is refused before writing
    if (!SettingsRegisterMap::CellToRegister(row, w.form.StringGrid1.Cells(1, row))) return 0;
  const LoadedTexts loaded = TextsOf(w.form);
  const QString saved = ScratchFile(QStringLiteral("WLT_nastawy_008.txt"));
  QFile::remove(saved);
  w.ui.ClearRecords();
  w.form.FactoryNumber = 8;
  w.form.SaveDialog1.FileName = saved;
  w.form.SaveSettingsFile();
  FUZZ_CHECK(w.ui.Log.isEmpty());
  FUZZ_CHECK(w.form.Caption == QStringLiteral("WLT - nastawy 008"));

  FuzzWindow back;
  back.form.FactoryNumber = 8;
  back.form.LoadSettingsFile(saved);
  FUZZ_CHECK(Loaded(back, QStringLiteral("008")));
  FUZZ_CHECK(TextsOf(back.form) == loaded);
  // Every event line is in the saved file, so every indicator follows its text.
  for (int n = 1; n <= 160; ++n)
    FUZZ_CHECK(back.form.zdLabel(n).Caption == EventTextsSection::IndicatorCaption(loaded.eventLabels[std::size_t(n)]));
  return 0;
}
