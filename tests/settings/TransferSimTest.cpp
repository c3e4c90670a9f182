// The settings read and write of the headless window against wlt-sim on a
// pseudo-terminal: what goes over the wire, what the controller answered and
// what the window shows.

#include "AppTestSupport.h"
#include "ModbusFrames.h"
#include "WindowOnSim.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using frames::Hex;

const std::string kSettingsRead = Hex(frames::ReadRequest(1, 801, 120));

class TransferWithSim : public WindowOnSim {
 protected:
  QString& Cell(int row) { return form.StringGrid1.Cells(1, row); }

  // Typed values: odd rows r * 100 + 5, whose half rounds to the even r * 10,
  // even rows r * 100 + 4, rounding down to r * 10; rows 6 and 8 as typed.
  void TypeDistinctValues() {
    for (int row = 1; row <= 20; ++row) Cell(row) = QString::number(row * 100 + (row % 2 ? 5 : 4));
  }
  static std::uint16_t WordOfDistinctValue(int row) {
    const int typed = row * 100 + (row % 2 ? 5 : 4);
    if (row == 6 || row == 8) return std::uint16_t(typed);
    return std::uint16_t(row * 10);
  }
  // The 28 frames of a complete write: 901..920, 801..807, then 1 into 900.
  std::vector<std::string> ExpectedWrite(const std::uint16_t bits[7]) {
    std::vector<std::string> expected;
    for (int row = 1; row <= 20; ++row)
      expected.push_back(Hex(frames::WriteRequest(1, 900 + row, WordOfDistinctValue(row))));
    for (int w = 0; w < 7; ++w) expected.push_back(Hex(frames::WriteRequest(1, 801 + w, bits[w])));
    expected.push_back(Hex(frames::WriteRequest(1, 900, 1)));
    return expected;
  }

};

TEST_F(TransferWithSim, AReadFillsTheGridAndTheBoxes) {
  StartSim({"--set", "901=7", "--set", "902=25", "--set", "906=45", "--set", "908=1234",
            "--set", "920=65535", "--set", "801=0x0200", "--set", "802=0", "--set", "803=0",
            "--set", "804=0", "--set", "805=0x8001", "--set", "806=0", "--set", "807=0xFFFF"});
  form.Mdb1.OpenPort();  // port open, controller not yet found: the read is tried anyway
  ASSERT_TRUE(form.Mdb1.PortOpen());
  form.N1Click();

  EXPECT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
  EXPECT_EQ(ui.Log, QStringList());
  EXPECT_EQ(sim->Requests(), std::vector<std::string>{kSettingsRead});
  EXPECT_FALSE(form.ControllerFound());

  EXPECT_EQ(Cell(1), QStringLiteral("70"));
  EXPECT_EQ(Cell(2), QStringLiteral("250"));
  EXPECT_EQ(Cell(6), QStringLiteral("45"));
  EXPECT_EQ(Cell(8), QStringLiteral("1234"));
  EXPECT_EQ(Cell(20), QStringLiteral("655350"));
  for (int row = 1; row <= 20; ++row) {
    bool ok = false;
    const int value = Cell(row).toInt(&ok);
    ASSERT_TRUE(ok) << row << " " << Cell(row).toStdString();
    if (row == 6 || row == 8) continue;
    EXPECT_EQ(value % 10, 0) << row;
  }
  std::vector<int> checked;
  for (int box = 801; box <= 910; ++box)
    if (form.CheckBox(box).Checked) checked.push_back(box);
  std::vector<int> expected{810, 865, 880};
  for (int box = 897; box <= 910; ++box) expected.push_back(box);
  EXPECT_EQ(checked, expected);
  EXPECT_EQ(form.SettingsImage[97], 1);  // the simulator's factory number, passed through
}

TEST_F(TransferWithSim, AWriteSendsThe28RegistersInOrderAndReadsBack) {
  StartSim();
  Connect();
  TypeDistinctValues();
  for (int box : {801, 816, 832, 881, 896, 897, 910}) form.CheckBox(box).Checked = true;
  form.CheckBox(896).Visible = false;  // hidden, still written
  form.WLTPC1Click();

  const std::uint16_t bits[7] = {0x8001, 0x8000, 0, 0, 0, 0x8001, 0x2001};
  const std::vector<std::string> expected = ExpectedWrite(bits);
  // On the wire the register number less one: 901 is 0x0384, 807 is 0x0326, 900 is 0x0383.
  ASSERT_EQ(expected.size(), 28u);
  EXPECT_EQ(expected[0], "01 06 03 84 00 0A 49 A0");
  EXPECT_EQ(expected[26], "01 06 03 26 20 01 B0 45");
  EXPECT_EQ(expected[27], "01 06 03 83 00 01 B9 A6");
  EXPECT_EQ(Panel1(), QStringLiteral(" Zapisano nastawy"));
  EXPECT_EQ(ui.Log, QStringList());
  // The 28 writes, each echoed, then the block read back once for the check.
  std::vector<std::string> sent = expected;
  sent.push_back(kSettingsRead);
  EXPECT_EQ(sim->Requests(), sent);
  const std::vector<std::string> replies = sim->Replies();
  ASSERT_EQ(replies.size(), 29u);
  EXPECT_EQ(std::vector<std::string>(replies.begin(), replies.begin() + 28), expected);

  for (int row = 1; row <= 20; ++row) Cell(row) = QStringLiteral("stale");
  for (int box = 801; box <= 910; ++box) form.CheckBox(box).Checked = false;
  form.N1Click();
  ASSERT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
  for (int row = 1; row <= 20; ++row) {
    const int shown = row == 6 || row == 8 ? row * 100 + 4 : row * 100;
    EXPECT_EQ(Cell(row), QString::number(shown)) << row;
  }
  for (int box : {801, 816, 832, 881, 896, 897, 910}) EXPECT_TRUE(form.CheckBox(box).Checked) << box;
  EXPECT_FALSE(form.CheckBox(802).Checked);
  EXPECT_EQ(form.SettingsImage[99], 1);  // register 900 holds the completion mark
}

TEST_F(TransferWithSim, AControllerThatFallsSilentAfterFiveWritesKeepsThoseAndNever900) {
  StartSim({"--stop-after-writes", "5"});
  Connect();
  TypeDistinctValues();
  form.WLTPC1Click();

  const std::uint16_t bits[7] = {0, 0, 0, 0, 0, 0, 0};
  const std::vector<std::string> all = ExpectedWrite(bits);
  const std::vector<std::string> answered(all.begin(), all.begin() + 5);  // 901..905
  EXPECT_EQ(sim->Replies(), answered);
  // The sixth write (906) is tried by the link and nothing follows it.
  std::vector<std::string> sent = answered;
  for (std::size_t i = 0; i < form.Mdb1.RepeatCount; ++i) sent.push_back(all[5]);
  EXPECT_EQ(sim->Requests(), sent);
  for (const std::string& frame : sim->Requests())
    EXPECT_NE(frame, Hex(frames::WriteRequest(1, 900, 1)));

  EXPECT_EQ(Panel1(), QStringLiteral(" Brak urządzenia"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Nie znaleziono urządzenia\n"
                                                "Zapisano 5 z 28 rejestrów (901-905); nie zapisano "
                                                "znacznika kompletu nastaw (rejestr 900), sterownik ma "
                                                "teraz część nastaw starych i część nowych.")}));
  EXPECT_TRUE(form.ControllerFound());
}

// An exception to the write of 911: 901..910 took the new values (the
// controller echoed them), and the box says so. The simulator answers every
// request touching 911 with the exception, the block read too, so the
// window starts as a connection leaves it.
TEST_F(TransferWithSim, AnExceptionAt911LeavesTenNewValuesAndSaysSo) {
  StartSim({"--exception", "911-911:4"});
  form.Mdb1.OpenPort();
  ASSERT_TRUE(form.Mdb1.PortOpen());
  form.CheckBox_1.Checked = true;
  TypeDistinctValues();
  form.WLTPC1Click();

  const std::uint16_t bits[7] = {0, 0, 0, 0, 0, 0, 0};
  const std::vector<std::string> all = ExpectedWrite(bits);
  EXPECT_EQ(sim->Requests(), std::vector<std::string>(all.begin(), all.begin() + 11));  // 911 once
  const std::vector<std::string> replies = sim->Replies();
  ASSERT_EQ(replies.size(), 11u);
  EXPECT_EQ(std::vector<std::string>(replies.begin(), replies.begin() + 10),
            std::vector<std::string>(all.begin(), all.begin() + 10));
  EXPECT_EQ(replies[10], Hex(frames::WithCrc({1, 0x86, 4})));
  EXPECT_EQ(Panel1(), QStringLiteral(" Brak urządzenia"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Nie znaleziono urządzenia\n"
                                                "Urządzenie odpowiedziało wyjątkiem 4: awaria urządzenia "
                                                "podrzędnego.\n"
                                                "Zapisano 10 z 28 rejestrów (901-910); nie zapisano "
                                                "znacznika kompletu nastaw (rejestr 900), sterownik ma "
                                                "teraz część nastaw starych i część nowych.")}));
}

TEST_F(TransferWithSim, WithoutTheControllerFoundFlagTheWriteSendsNothing) {
  StartSim();
  form.Mdb1.OpenPort();  // a controller is attached and the port open, but not found
  ASSERT_TRUE(form.Mdb1.PortOpen());
  TypeDistinctValues();
  const auto image = form.SettingsImage;
  form.WLTPC1Click();

  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd zapisu"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak komunikacji z urządzeniem")}));
  EXPECT_EQ(form.SettingsImage, image);  // nothing converted either

  // A read still works and leaves the flag as it was; it is the only frame on the wire.
  form.N1Click();
  EXPECT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
  EXPECT_FALSE(form.ControllerFound());
  EXPECT_EQ(sim->Requests(), std::vector<std::string>{kSettingsRead});
}

TEST_F(TransferWithSim, AnInvalidLastRowSendsNothing) {
  StartSim();
  Connect();
  for (const char* text : {"12ms", "700000", ""}) {
    TypeDistinctValues();
    Cell(20) = QString::fromLatin1(text);
    form.WLTPC1Click();
    EXPECT_EQ(Panel1(), QStringLiteral("Niepoprawna wartość")) << text;
    EXPECT_EQ(ui.Log, QStringList()) << text;
    // Rows 1 to 19 were converted on the way, as the validation does.
    EXPECT_EQ(form.SettingsImage[100], WordOfDistinctValue(1)) << text;
  }
  form.N1Click();  // the one frame that went out
  EXPECT_EQ(sim->Requests(), std::vector<std::string>{kSettingsRead});
}

TEST_F(TransferWithSim, AReadAfterDisconnectionFailsAndKeepsTheControls) {
  StartSim();
  Connect();
  form.N1Click();
  ASSERT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
  form.CheckBox(850).Checked = !form.CheckBox(850).Checked;  // an edit not yet written
  Cell(3) = QStringLiteral("1230");
  form.DisconnectDevice();
  sim->ClearLog();
  ui.ClearRecords();

  const auto image = form.SettingsImage;
  std::vector<QString> cells;
  std::vector<bool> boxes;
  for (int row = 0; row <= 20; ++row)
    for (int col = 0; col < 3; ++col) cells.push_back(form.StringGrid1.Cells(col, row));
  for (int box = 801; box <= 910; ++box) boxes.push_back(form.CheckBox(box).Checked);

  form.N1Click();
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd odczytu"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak komunikacji z urządzeniem")}));
  EXPECT_EQ(form.SettingsImage, image);
  std::size_t i = 0;
  for (int row = 0; row <= 20; ++row)
    for (int col = 0; col < 3; ++col) EXPECT_EQ(form.StringGrid1.Cells(col, row), cells[i++]) << col << "," << row;
  for (int box = 801; box <= 910; ++box) EXPECT_EQ(form.CheckBox(box).Checked, boxes[std::size_t(box - 801)]) << box;
  EXPECT_TRUE(sim->Requests().empty());
}

}  // namespace
