// write-settings against wlt-sim: what a settings file does not give keeps
// the controller's value, the command prints each change before it writes,
// and a file of another factory number needs --yes.

#include "CliOnSim.h"
#include "ModbusFrames.h"
#include "files/EventTextsSection.h"
#include "files/SettingsFileFormat.h"
#include "files/TextFile.h"

#include <map>
#include <optional>

namespace {

using frames::Hex;
using frames::WriteRequest;

const char* const kRowNames[21] = {"",          "nst_trSZR", "nst_tgSZR", "nst_trSZRA", "nst_tgSZRA",
                                   "nst_trSPP", "nst_twSPP", "nst_trAZZ", "nst_tgAZZ",  "nst_tgPPZ",
                                   "nst_ti",    "nst_toz",   "nst_toza",  "nst_top",    "nst_towa",
                                   "nst_tU",    "nst_tip",   "nst_tos",   "nst_rez_1",  "nst_rez_2",
                                   "nst_rez_3"};

// The controller: factory number 7; timing register 900 + r holds r; the
// programming words 801 = 0x0003 (boxes 801, 802), 803 = 0x0100 (box 841),
// 807 = 0x2001 (boxes 897 and 910), the others 0.
std::vector<std::string> Controller() {
  std::vector<std::string> args{"--factory-number", "7", "--production-year", "2019"};
  for (int row = 1; row <= 20; ++row)
    for (const std::string& a : {std::string("--set"), std::to_string(900 + row) + "=" + std::to_string(row)})
      args.push_back(a);
  for (const char* preset : {"801=0x0003", "802=0", "803=0x0100", "804=0", "805=0", "806=0", "807=0x2001"}) {
    args.push_back("--set");
    args.push_back(preset);
  }
  return args;
}
const std::uint16_t kControllerBits[7] = {0x0003, 0, 0x0100, 0, 0, 0, 0x2001};

struct BoxLine {
  int number;
  QString caption;
  QString state;  // as the file has it: "1", "0", or something that is no number
};

// A settings file as the window writes one: the grid rows with the values
// given (a row without one has an empty value cell), the permission lines
// given, the terminator and an empty event-texts section.
QStringList SettingsFile(const QString& number, const std::map<int, QString>& values,
                         const std::vector<BoxLine>& boxes) {
  using namespace SettingsFileFormat;
  Grid grid;
  grid[0] = {QStringLiteral("Nastawa"), QStringLiteral("Wartość"), QStringLiteral("Jednostka")};
  for (int row = 1; row <= 20; ++row) {
    const auto value = values.find(row);
    grid[std::size_t(row)] = {QLatin1String(kRowNames[row]), value == values.end() ? QString() : value->second,
                              QStringLiteral("ms")};
  }
  QStringList lines = HeaderAndSettingsLines(number, grid);
  lines << kPermissionsHeading;
  for (const BoxLine& box : boxes)
    lines << QString::number(box.number) + box.caption.rightJustified(kCaptionWidth) + QStringLiteral("  ") +
                 box.state;
  lines << TerminatorLine();
  lines += EventTextsSection::Compose(EventTextsSection::Labels{}, EventTextsSection::Causes{});
  return lines;
}

// The 28 writes of a settings write: 901..920, 801..807, then 1 into 900.
std::vector<std::string> SettingsWrites(const std::array<std::uint16_t, 21>& timing,
                                        const std::uint16_t bits[7]) {
  std::vector<std::string> writes;
  for (int row = 1; row <= 20; ++row) writes.push_back(Hex(WriteRequest(1, 900 + row, timing[std::size_t(row)])));
  for (int w = 0; w < 7; ++w) writes.push_back(Hex(WriteRequest(1, 801 + w, bits[w])));
  writes.push_back(Hex(WriteRequest(1, 900, 1)));
  return writes;
}

std::array<std::uint16_t, 21> ControllerTiming() {
  std::array<std::uint16_t, 21> timing{};
  for (int row = 1; row <= 20; ++row) timing[std::size_t(row)] = std::uint16_t(row);
  return timing;
}

class CliWriteSettings : public CliOnSim {
 protected:
  void WriteSettingsFile(const QString& name, const QStringList& lines) {
    ASSERT_TRUE(TextFile::WriteLines(Path(name), lines));
  }
};

// Every timing row given, no permission line: the bits stay the
// controller's (the window's general description file, loaded at the
// start, has them all 0), and only the rows that differ are listed.
TEST_F(CliWriteSettings, AFileWithoutPermissionLinesKeepsTheControllersBits) {
  StartSim(Controller());
  std::map<int, QString> values;
  for (int row = 1; row <= 20; ++row)
    values[row] = QString::number(row == 6 || row == 8 ? row : row * 10);
  values[1] = QStringLiteral("150");
  values[6] = QStringLiteral("7");
  values[20] = QStringLiteral("0");
  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"), SettingsFile(QStringLiteral("007"), values, {}));

  const CliOutcome o = Cli({QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(o.status, 0) << o.err.toStdString();
  EXPECT_EQ(o.out, (QStringList{QStringLiteral("901 nst_trSZR: 10 -> 150"), QStringLiteral("906 nst_twSPP: 6 -> 7"),
                                QStringLiteral("920 nst_rez_3: 200 -> 0")}));
  std::array<std::uint16_t, 21> timing = ControllerTiming();
  timing[1] = 15;
  timing[6] = 7;
  timing[20] = 0;
  EXPECT_EQ(Writes(), SettingsWrites(timing, kControllerBits));
  EXPECT_TRUE(o.err.contains(QStringLiteral("status:  Zapisano nastawy\n"))) << o.err.toStdString();
}

// Some rows and some boxes given: those change, the rest keep what the
// controller holds. A box line whose state is no number gives no state; a
// row line with an empty value gives no value.
TEST_F(CliWriteSettings, OnlyWhatTheFileGivesChanges) {
  StartSim(Controller());
  const std::map<int, QString> values{{2, QStringLiteral("400")}, {8, QStringLiteral("8")}};
  const std::vector<BoxLine> boxes{{801, QStringLiteral("SZR aktywny"), QStringLiteral("0")},
                                   {802, QStringLiteral("Praca autom."), QStringLiteral("x")},
                                   {805, QStringLiteral("Kolejność faz"), QStringLiteral("1")},
                                   {841, QStringLiteral("Wejście 21"), QStringLiteral("1")},
                                   {910, QStringLiteral("Rezerwa"), QStringLiteral("0")}};
  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"), SettingsFile(QStringLiteral("007"), values, boxes));

  const CliOutcome o = Cli({QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(o.status, 0) << o.err.toStdString();
  EXPECT_EQ(o.out, (QStringList{QStringLiteral("902 nst_tgSZR: 20 -> 400"), QStringLiteral("801.0 SZR aktywny: 1 -> 0"),
                                QStringLiteral("801.4 Kolejność faz: 0 -> 1"), QStringLiteral("807.13 Rezerwa: 1 -> 0")}));
  std::array<std::uint16_t, 21> timing = ControllerTiming();
  timing[2] = 40;
  const std::uint16_t bits[7] = {0x0012, 0, 0x0100, 0, 0, 0, 0x0001};
  EXPECT_EQ(Writes(), SettingsWrites(timing, bits));

  // The file changes nothing more: nothing is listed, the set is still written whole.
  sim->ClearLog();
  const CliOutcome again = Cli({QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(again.status, 0) << again.err.toStdString();
  EXPECT_TRUE(again.out.isEmpty()) << again.out.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Writes(), SettingsWrites(timing, bits));
}

// A file named for another factory number, the general description file
// among them, is written only with --yes; without it nothing is written
// and the status is 2.
TEST_F(CliWriteSettings, AnotherFactoryNumberNeedsYes) {
  StartSim(Controller());
  const std::map<int, QString> values{{3, QStringLiteral("90")}};
  WriteSettingsFile(QStringLiteral("WLT_nastawy_008.txt"), SettingsFile(QStringLiteral("008"), values, {}));
  struct Case {
    QString file;
    int number;
  };
  for (const Case& c : {Case{QStringLiteral("WLT_nastawy_008.txt"), 8}, Case{QStringLiteral("WLT_nast_rejzd_000.txt"), 0}}) {
    SCOPED_TRACE(c.file.toStdString());
    sim->ClearLog();
    const CliOutcome refused = Cli({QStringLiteral("write-settings"), c.file});
    EXPECT_EQ(refused.status, 2) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(
        QStringLiteral("write-settings: the file is for the controller with factory number %1, the "
                       "controller connected has 7; confirm with --yes")
            .arg(c.number)))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_TRUE(Writes().empty());
    EXPECT_FALSE(sim->Requests().empty());  // it did connect
  }

  sim->ClearLog();
  const CliOutcome confirmed = Cli({QStringLiteral("--yes"), QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_008.txt")});
  EXPECT_EQ(confirmed.status, 0) << confirmed.err.toStdString();
  EXPECT_EQ(confirmed.out, QStringList{QStringLiteral("903 nst_trSZRA: 30 -> 90")});
  std::array<std::uint16_t, 21> timing = ControllerTiming();
  timing[3] = 9;
  EXPECT_EQ(Writes(), SettingsWrites(timing, kControllerBits));
}

// The list of changes is the record of what is sent: when it cannot be
// printed, nothing is written.
TEST_F(CliWriteSettings, AChangeListThatCannotBePrintedWritesNothing) {
  StartSim(Controller());
  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"),
                    SettingsFile(QStringLiteral("007"), {{1, QStringLiteral("150")}}, {}));
  standardOutputFile = QStringLiteral("/dev/full");
  const CliOutcome o = Cli({QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(o.status, 1) << o.err.toStdString();
  EXPECT_TRUE(o.err.contains(QStringLiteral("wlt-nastawy-cli: standard output: No space left on device")))
      << o.err.toStdString();
  EXPECT_TRUE(Writes().empty());
}

// ---- The check after the write, and diff-settings --------------------------

// A controller that echoes a write and keeps its old value: the planned
// change is printed, written, and the check names the register that did
// not take it.
TEST_F(CliWriteSettings, AWriteTheControllerDidNotKeepFailsWithTheRegistersThatDiffer) {
  std::vector<std::string> args = Controller();
  for (const char* a : {"--ignore-writes", "905-905"}) args.push_back(a);
  StartSim(args);
  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"),
                    SettingsFile(QStringLiteral("007"), {{5, QStringLiteral("300")}}, {}));
  const CliOutcome o = Cli({QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(o.status, 1) << o.err.toStdString();
  EXPECT_EQ(o.out, QStringList{QStringLiteral("905 nst_trSPP: 50 -> 300")});
  EXPECT_EQ(Writes().size(), 28u);
  EXPECT_EQ(sim->Requests().back(), Hex(frames::ReadRequest(1, 801, 120)));
  EXPECT_TRUE(o.err.contains(QStringLiteral("status:  Błąd weryfikacji\n"))) << o.err.toStdString();
  EXPECT_TRUE(o.err.contains(QStringLiteral("\n905 nst_trSPP: 300 -> 50\n"))) << o.err.toStdString();
}

// A file against the controller lists what write-settings would change,
// and writes nothing; 0 when nothing differs, 3 when something does.
TEST_F(CliWriteSettings, DiffSettingsWithTheControllerListsWhatAWriteWouldChange) {
  StartSim(Controller());
  const std::vector<BoxLine> boxes{{805, QStringLiteral("Kolejność faz"), QStringLiteral("1")}};
  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"),
                    SettingsFile(QStringLiteral("007"), {{2, QStringLiteral("400")}}, boxes));
  const CliOutcome differ = Cli({QStringLiteral("diff-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(differ.status, 3) << differ.err.toStdString();
  EXPECT_EQ(differ.out,
            (QStringList{QStringLiteral("902 nst_tgSZR: 20 -> 400"), QStringLiteral("801.4 Kolejność faz: 0 -> 1")}));
  EXPECT_TRUE(Writes().empty());

  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"),
                    SettingsFile(QStringLiteral("007"), {{2, QStringLiteral("20")}}, {}));
  const CliOutcome equal = Cli({QStringLiteral("diff-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(equal.status, 0) << equal.err.toStdString();
  EXPECT_TRUE(equal.out.isEmpty());
  EXPECT_TRUE(equal.err.contains(QStringLiteral("status: Nastawy zgodne z WLT\n"))) << equal.err.toStdString();
  EXPECT_TRUE(Writes().empty());
}

// Two files, no controller: A's value, then B's, named as B names them.
TEST_F(CliWriteSettings, DiffSettingsOfTwoFiles) {
  std::map<int, QString> values;
  for (int row = 1; row <= 20; ++row) values[row] = QString::number(row == 6 || row == 8 ? row : row * 10);
  const std::vector<BoxLine> boxesA{{801, QStringLiteral("SZR aktywny"), QStringLiteral("1")}};
  const std::vector<BoxLine> boxesB{{801, QStringLiteral("SZR wył."), QStringLiteral("0")}};
  WriteSettingsFile(QStringLiteral("WLT_nastawy_007.txt"), SettingsFile(QStringLiteral("007"), values, boxesA));
  values[3] = QStringLiteral("35");  // rounds to 40 on the way to the register
  values[8] = QStringLiteral("9");
  WriteSettingsFile(QStringLiteral("WLT_nastawy_008.txt"), SettingsFile(QStringLiteral("008"), values, boxesB));
  values.erase(20);
  WriteSettingsFile(QStringLiteral("WLT_nastawy_009.txt"), SettingsFile(QStringLiteral("009"), values, boxesB));

  const CliOutcome differ = Cli(
      {QStringLiteral("diff-settings"), QStringLiteral("WLT_nastawy_007.txt"), QStringLiteral("WLT_nastawy_008.txt")},
      false);
  EXPECT_EQ(differ.status, 3) << differ.err.toStdString();
  EXPECT_EQ(differ.out, (QStringList{QStringLiteral("903 nst_trSZRA: 30 -> 40"), QStringLiteral("908 nst_tgAZZ: 8 -> 9"),
                                     QStringLiteral("801.0 SZR wył.: 1 -> 0")}));

  struct Case {
    QStringList arguments;
    int status;
  };
  const Case cases[] = {
      {{QStringLiteral("WLT_nastawy_008.txt"), QStringLiteral("WLT_nastawy_008.txt")}, 0},
      {{QStringLiteral("WLT_nastawy_008.txt"), QStringLiteral("WLT_nastawy_009.txt")}, 1},  // row 20 without a value
      {{QStringLiteral("WLT_nastawy_008.txt"), QStringLiteral("WLT_nastawy_010.txt")}, 1},  // no such file
      {{}, 2},
      {{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    const CliOutcome o = Cli(QStringList{QStringLiteral("diff-settings")} + c.arguments, false);
    EXPECT_EQ(o.status, c.status) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
  }
}

}  // namespace
