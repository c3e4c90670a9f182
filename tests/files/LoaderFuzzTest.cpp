// The loader fed with truncated and randomly damaged variants of a valid
// file: it never crashes, never reaches outside a table, keeps every field
// within the widths it reads, and reports each failure once. The variants
// come from a fixed generator, so every run sees the same files.

#include "FileFormTest.h"


#include <gtest/gtest.h>

#include <random>

namespace {

class DamagedFiles : public FileFormTest {
 protected:
  void SetUp() override {
    FileFormTest::SetUp();
    valid_ = ReadBytes(TestDataFile(QStringLiteral("WLT_nastawy_007.txt")));
    ASSERT_FALSE(valid_.isEmpty());
    w.form.FactoryNumber = 7;
  }

  // Loads the bytes as a file; true when the loader reported success.
  bool Load(const QByteArray& bytes) {
    const QString path = Path(QStringLiteral("WLT_nastawy_007.txt"));
    EXPECT_TRUE(WriteBytes(path, bytes));
    w.ui.ClearRecords();
    w.form.LoadSettingsFile(path);
    const bool ok = w.ui.Log.isEmpty();
    if (!ok) {
      EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"), QStringLiteral("message:Błąd odczytu")}));
    }
    EXPECT_EQ(w.form.Caption, ok ? QStringLiteral("WLT - nastawy 007") : QStringLiteral("WLT - nastawy 007*"));
    return ok;
  }

  // What any file may change and what it may not.
  void ExpectSaneWindow(const char* what, int variant) {
    const TStringGrid& grid = w.form.StringGrid1;
    EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("Nastawa")) << what << variant;
    for (int row = 1; row <= 20; ++row) {
      EXPECT_LE(grid.Cells(0, row).size(), 20) << what << variant;
      EXPECT_LE(grid.Cells(1, row).size(), 10) << what << variant;
      EXPECT_LE(grid.Cells(2, row).size(), 9) << what << variant;
    }
    for (int n = 801; n <= 910; ++n) {
      const TCheckBox& box = w.form.CheckBox(n);
      EXPECT_LE(box.Caption.size(), 20) << what << variant;
      EXPECT_EQ(box.Visible, !box.Caption.isEmpty()) << what << variant;
    }
    for (int n = 1; n <= 160; ++n) {
      EXPECT_LE(w.form.zdLabel(n).Caption.size(), 20) << what << variant;
      EXPECT_EQ(w.form.zdLabel(n).Visible, !w.form.zdLabel(n).Caption.isEmpty()) << what << variant;
      EXPECT_EQ(w.form.CheckBox(n).Visible, w.form.zdLabel(n).Visible) << what << variant;
    }
  }

  QByteArray valid_;
};

TEST_F(DamagedFiles, TruncatedAnywhere) {
  ASSERT_TRUE(Load(valid_));
  int failures = 0;
  for (qsizetype length = 0; length < valid_.size(); length += 5) {
    failures += !Load(valid_.left(length));
    ExpectSaneWindow("truncated at ", int(length));
    if (HasFailure()) return;
  }
  // A file cut inside its settings or permissions cannot load; one cut in
  // the event texts can.
  EXPECT_GT(failures, 0);
}

TEST_F(DamagedFiles, RandomlyDamaged) {
  std::mt19937 generator(20240607u);  // fixed: the same variants every run
  const QByteArray alphabet("0123456789 -\r\n\t:aZ\xb9\x00\xff", 22);
  auto pick = [&generator](qsizetype n) { return qsizetype(std::uniform_int_distribution<qsizetype>(0, n - 1)(generator)); };
  int loaded = 0;
  const int variants = 1500;
  for (int variant = 0; variant < variants; ++variant) {
    QByteArray bytes = valid_;
    const int edits = 1 + int(pick(6));
    for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
      const qsizetype at = pick(bytes.size());
      switch (pick(6)) {
        case 0: bytes[at] = alphabet[pick(alphabet.size())]; break;
        case 1: bytes[at] = char(pick(256)); break;
        case 2: bytes.insert(at, alphabet[pick(alphabet.size())]); break;
        case 3: bytes.remove(at, 1 + pick(40)); break;
        case 4: {  // a line of this file again somewhere else
          const qsizetype from = bytes.lastIndexOf('\n', at) + 1;
          const qsizetype to = bytes.indexOf('\n', at);
          bytes.insert(pick(bytes.size()), bytes.mid(from, to < 0 ? -1 : to - from + 1));
          break;
        }
        default: bytes.insert(at, QByteArray(1 + pick(30), alphabet[pick(alphabet.size())])); break;
      }
    }
    loaded += Load(bytes);
    ExpectSaneWindow("variant ", variant);
    if (HasFailure()) return;
  }
  EXPECT_GT(loaded, 0);
  EXPECT_LT(loaded, variants);

  // The window is still whole: it saves and reads back what it shows.
  for (int row = 1; row <= 20; ++row) w.form.StringGrid1.Cells(1, row) = QStringLiteral("10");
  const QStringList saved = SaveAndRead(QStringLiteral("WLT_nastawy_007"));
  ASSERT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  const QString caption801 = w.form.CheckBox(801).Caption;
  w.form.CheckBox(801).Caption = QStringLiteral("x");
  EXPECT_TRUE(Load(TextFile::Encode(saved)));
  EXPECT_EQ(w.form.CheckBox(801).Caption, caption801);
}

}  // namespace
