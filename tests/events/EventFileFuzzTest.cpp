// The event-file reader fed with truncated and randomly damaged variants of
// a file the window wrote: it never crashes nor reaches outside a table; a
// file it refuses changes nothing but status panel 1, and a file it takes
// is shown whole, exactly as the pure reader reads it. The variants come
// from a fixed generator, so every run sees the same files.

#include "EventFileTestSupport.h"
#include "events/EventListLines.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using eventfiletest::Shown;
using eventfiletest::ShownBy;

class DamagedEventFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    eventfiletest::ReadOut(w, eventfiletest::VariedTable());
    ASSERT_TRUE(w.form.WriteEventFile(Path()));
    valid_ = ReadBytes(Path());
    ASSERT_GT(valid_.size(), 8000);
    w.form.DisconnectDevice();
  }
  QString Path() const { return QDir(folder.Path()).filePath(QStringLiteral("zdarzenia.dat")); }

  // Opens the bytes as an event file and checks the window against what
  // the pure reader makes of them. True when the file was taken.
  bool Open(const QByteArray& bytes, const char* what, int variant) {
    EXPECT_TRUE(WriteBytes(Path(), bytes));
    w.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
    const Shown before = ShownBy(w.form);
    w.ui.ClearRecords();
    w.form.ReadEventFile(Path());
    EXPECT_EQ(w.ui.Beeps, 0) << what << variant;
    EXPECT_TRUE(w.ui.Messages.isEmpty()) << what << variant;

    const std::optional<EventFileFormat::Readout> readout = EventFileFormat::Parse(TextFile::Decode(bytes));
    if (!readout) {
      Shown expected = before;
      expected.panel1 = QStringLiteral("Błąd odczytu");
      EXPECT_EQ(ShownBy(w.form), expected) << what << variant;
      return false;
    }
    const TForm1& f = w.form;
    EXPECT_EQ(f.EventTable, readout->table) << what << variant;
    EXPECT_EQ((QStringList{f.EditNrFabr.Text, f.EditRokProd.Text, f.Edit5.Text, f.Edit6.Text, f.Edit7.Text,
                           f.Edit8.Text}),
              (QStringList{readout->factoryNumber, readout->productionYear, readout->wltDate, readout->wltTime,
                           readout->pcDate, readout->pcTime}))
        << what << variant;
    EXPECT_TRUE(f.EventsLoaded && f.Drukuj1.Enabled && f.Podglad1.Enabled && f.Zapiszjako2.Enabled &&
                f.ListBox1.Visible);
    EXPECT_EQ(f.Edit3.Text, QStringLiteral("Zdarzenie 1")) << what << variant;
    // The list shows this file's readout under the texts now in use.
    const EventListLines::Header header{f.EditTyp.Text, f.EditNrFabr.Text, f.EditRokProd.Text, f.Edit5.Text,
                                        f.Edit6.Text,   f.Edit7.Text,      f.Edit8.Text};
    EXPECT_EQ(f.ListBox1.Items, EventListLines::Lines(header, readout->table, f.CauseTexts)) << what << variant;
    for (int n = 1; n <= TForm1::kEventIndicators; ++n) {
      EXPECT_LE(f.zdLabel(n).Caption.size(), 20) << what << variant;
      EXPECT_EQ(f.zdLabel(n).Visible, !f.zdLabel(n).Caption.isEmpty()) << what << variant;
    }
    return true;
  }

  TempCurrentFolder folder;
  FakeWindow w;
  QByteArray valid_;
};

TEST_F(DamagedEventFiles, TruncatedAnywhere) {
  ASSERT_TRUE(Open(valid_, "valid", 0));
  int taken = 0;
  for (qsizetype length = 0; length < valid_.size(); length += 7) {
    taken += Open(valid_.left(length), "truncated at ", int(length));
    if (HasFailure()) return;
  }
  // Cut inside the header or a record line the file is refused; cut at the
  // end of a record line or anywhere in the event texts it is taken.
  EXPECT_GT(taken, 0);
  EXPECT_LT(taken, valid_.size() / 7);
}

TEST_F(DamagedEventFiles, RandomlyDamaged) {
  std::mt19937 generator(20261208u);  // fixed: the same variants every run
  const QByteArray alphabet("0123456789 -\r\n\t:/aZ\xb9\x00\xff", 23);
  auto pick = [&generator](qsizetype n) {
    return qsizetype(std::uniform_int_distribution<qsizetype>(0, n - 1)(generator));
  };
  const int variants = 1500;
  int taken = 0;
  for (int variant = 0; variant < variants; ++variant) {
    QByteArray bytes = valid_;
    const int edits = 1 + int(pick(5));
    for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
      const qsizetype at = pick(bytes.size());
      switch (pick(7)) {
        case 0: bytes[at] = alphabet[pick(alphabet.size())]; break;
        case 1: bytes[at] = char(pick(256)); break;
        case 2: bytes.insert(at, alphabet[pick(alphabet.size())]); break;
        case 3: bytes.remove(at, 1 + pick(40)); break;
        case 4: bytes.insert(at, "-------"); break;  // the record block ends there
        case 5: {  // a line of this file again somewhere else
          const qsizetype from = bytes.lastIndexOf('\n', at) + 1;
          const qsizetype to = bytes.indexOf('\n', at);
          bytes.insert(pick(bytes.size()), bytes.mid(from, to < 0 ? -1 : to - from + 1));
          break;
        }
        default: bytes.insert(at, QByteArray(1 + pick(30), alphabet[pick(alphabet.size())])); break;
      }
    }
    taken += Open(bytes, "variant ", variant);
    if (HasFailure()) return;
  }
  EXPECT_GT(taken, 0);
  EXPECT_LT(taken, variants);

  // The window is still whole: what it shows saves and reads back.
  ASSERT_TRUE(w.form.WriteEventFile(Path()));
  const QByteArray saved = ReadBytes(Path());
  EXPECT_TRUE(Open(saved, "saved again", 0));
  ASSERT_TRUE(w.form.WriteEventFile(Path()));
  EXPECT_EQ(ReadBytes(Path()), saved);
}

}  // namespace
