// The settings transfer on a scripted line: faults that a real controller
// rarely shows on demand (a wrong echo, a garbled reply), and the exact
// frames with a slave address other than 1.

#include "AppTestSupport.h"
#include "FakeSerialLine.h"
#include "FakeUi.h"
#include "ModbusFrames.h"
#include "app/TForm1.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using frames::Hex;

// A controller behind the fake line: answers reads of 801..920 from its
// registers, echoes writes and stores them, except where a test breaks it.
struct ScriptedController {
  std::map<int, std::uint16_t> registers;
  int wrongEchoAt = -1;  // this register's write is echoed with another value
  int exceptionAt = -1;  // this register's write is answered with exception 4
  bool garbleReads = false;
  std::vector<std::string> requests;

  Bytes Answer(const Bytes& request) {
    requests.push_back(Hex(request));
    if (request.size() != 8) return {};
    const int wire = (request[2] << 8) | request[3];
    const int operand = (request[4] << 8) | request[5];
    if (request[1] == 0x03) {
      std::vector<std::uint16_t> words;
      for (int reg = wire + 1; reg <= wire + operand; ++reg) words.push_back(registers[reg]);
      Bytes reply = frames::ReadReply(request[0], words);
      if (garbleReads) reply[5] ^= 0x40;  // CRC no longer matches
      return reply;
    }
    if (request[1] == 0x06) {
      if (wire + 1 == exceptionAt) return frames::WithCrc({request[0], 0x86, 0x04});
      if (wire + 1 == wrongEchoAt)
        return frames::WriteRequest(request[0], wire + 1, std::uint16_t(operand ^ 1));
      registers[wire + 1] = std::uint16_t(operand);
      return request;
    }
    return {};
  }
};

class TransferOnFakeLine : public ::testing::Test {
 protected:
  TransferOnFakeLine() {
    state->Responder = [this](const Bytes& request) { return controller.Answer(request); };
  }
  void SetUp() override {
    form.InitSettingsCatalogue();
    form.Mdb1.OpenPort();
    ASSERT_TRUE(form.Mdb1.PortOpen());
  }
  void FillGridWith(int value) {
    for (int row = 1; row <= 20; ++row) form.StringGrid1.Cells(1, row) = QString::number(value);
  }

  std::shared_ptr<FakeLineState> state = std::make_shared<FakeLineState>();
  ScriptedController controller;
  FakeUi ui;
  TForm1 form{ui, std::make_unique<FakeSerialLine>(state)};
};

TEST_F(TransferOnFakeLine, EveryRequestCarriesTheSlaveAddress) {
  form.SlaveAddress = 7;
  form.CheckBox_1.Checked = true;
  FillGridWith(40);
  form.CheckBox(801).Checked = true;
  form.WLTPC1Click();
  ASSERT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Zapisano nastawy"));
  std::vector<std::string> expected;
  for (int reg = 901; reg <= 920; ++reg)
    expected.push_back(Hex(frames::WriteRequest(7, reg, reg == 906 || reg == 908 ? 40 : 4)));
  expected.push_back(Hex(frames::WriteRequest(7, 801, 1)));
  for (int reg = 802; reg <= 807; ++reg) expected.push_back(Hex(frames::WriteRequest(7, reg, 0)));
  expected.push_back(Hex(frames::WriteRequest(7, 900, 1)));
  expected.push_back(Hex(frames::ReadRequest(7, 801, 120)));  // the check
  EXPECT_EQ(controller.requests, expected);

  controller.requests.clear();
  form.N1Click();
  EXPECT_EQ(controller.requests, std::vector<std::string>{Hex(frames::ReadRequest(7, 801, 120))});
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Odczytano nastawy"));
}

TEST_F(TransferOnFakeLine, AWrongEchoEndsTheWriteAtThatRegister) {
  form.CheckBox_1.Checked = true;
  FillGridWith(100);
  controller.wrongEchoAt = 801;
  form.WLTPC1Click();

  // The 20 timing registers, then 801 once: a reply with a good CRC is not
  // repeated, and nothing after it is sent.
  ASSERT_EQ(controller.requests.size(), 21u);
  EXPECT_EQ(controller.requests.back(), Hex(frames::WriteRequest(1, 801, 0)));
  for (int reg = 901; reg <= 920; ++reg) EXPECT_EQ(controller.registers.count(reg), 1u) << reg;
  EXPECT_EQ(controller.registers.count(900), 0u);
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Brak urządzenia"));
  EXPECT_EQ(ui.Beeps, 1);
  EXPECT_EQ(ui.Messages, QStringList{QStringLiteral(
                             "Nie znaleziono urządzenia\n"
                             "Zapisano 20 z 28 rejestrów (901-920); nie zapisano znacznika kompletu "
                             "nastaw (rejestr 900), sterownik ma teraz część nastaw starych i część nowych.")});
  EXPECT_TRUE(form.ControllerFound());  // a failed write does not disconnect
}

// The box of a write that stopped says how far it got: the registers that
// took their new values, in the order sent, and that 900 never got its 1.
// A write refused at its first register adds nothing.
TEST_F(TransferOnFakeLine, AWriteThatStopsSaysWhichRegistersTookTheNewValues) {
  const QString mixed = QStringLiteral(
      "; nie zapisano znacznika kompletu nastaw (rejestr 900), sterownik ma teraz część nastaw "
      "starych i część nowych.");
  struct Case {
    int failAt;
    bool exception;  // else a wrong echo
    int written;
    QString secondLine;
  };
  const Case cases[] = {
      {901, true, 0, QString()},
      {901, false, 0, QString()},
      {902, false, 1, QStringLiteral("Zapisano 1 z 28 rejestrów (901)") + mixed},
      {911, true, 10, QStringLiteral("Zapisano 10 z 28 rejestrów (901-910)") + mixed},
      {801, true, 20, QStringLiteral("Zapisano 20 z 28 rejestrów (901-920)") + mixed},
      {803, false, 22, QStringLiteral("Zapisano 22 z 28 rejestrów (901-920, 801-802)") + mixed},
      {807, true, 26, QStringLiteral("Zapisano 26 z 28 rejestrów (901-920, 801-806)") + mixed},
      {900, true, 27,
       QStringLiteral("Zapisano 27 z 28 rejestrów (901-920, 801-807); nie zapisano znacznika "
                      "kompletu nastaw (rejestr 900).")},
  };
  form.CheckBox_1.Checked = true;
  FillGridWith(100);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.failAt) + (c.exception ? " exception" : " wrong echo"));
    controller = ScriptedController{};
    (c.exception ? controller.exceptionAt : controller.wrongEchoAt) = c.failAt;
    ui.ClearRecords();
    form.WLTPC1Click();

    // One request per register written, then the refused one, once.
    ASSERT_EQ(controller.requests.size(), std::size_t(c.written + 1));
    EXPECT_EQ(controller.requests.back(),
              Hex(frames::WriteRequest(1, c.failAt, c.failAt == 900 ? 1 : c.failAt > 900 ? 10 : 0)));
    EXPECT_EQ(controller.registers.count(900), 0u);
    EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Brak urządzenia"));
    // The exception the refused write got comes first, then how far it got.
    QString box = QStringLiteral("Nie znaleziono urządzenia");
    if (c.exception) box += QStringLiteral("\nUrządzenie odpowiedziało wyjątkiem 4: awaria urządzenia podrzędnego.");
    if (!c.secondLine.isEmpty()) box += QStringLiteral("\n") + c.secondLine;
    EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"), QStringLiteral("message:") + box}));
  }
}

TEST_F(TransferOnFakeLine, AGarbledReadKeepsImageAndControls) {
  for (int reg = 801; reg <= 920; ++reg) controller.registers[reg] = 0xFFFF;
  form.SettingsImage.fill(0x0102);
  form.StringGrid1.Cells(1, 4) = QStringLiteral("shown");
  form.CheckBox(830).Checked = true;
  const auto image = form.SettingsImage;
  controller.garbleReads = true;
  form.N1Click();

  EXPECT_EQ(controller.requests.size(), 3u);  // the link's three tries
  EXPECT_EQ(form.SettingsImage, image);
  EXPECT_EQ(form.StringGrid1.Cells(1, 4), QStringLiteral("shown"));
  EXPECT_TRUE(form.StringGrid1.Cells(1, 5).isEmpty());
  EXPECT_TRUE(form.CheckBox(830).Checked);
  EXPECT_FALSE(form.CheckBox(831).Checked);
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd odczytu"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak komunikacji z urządzeniem")}));
}

TEST_F(TransferOnFakeLine, AnInvalidValueShowsItsTextWithoutBeepAndSendsNothing) {
  form.CheckBox_1.Checked = true;
  FillGridWith(10);
  form.StringGrid1.Cells(1, 11) = QStringLiteral("-20");
  form.StatusBar1.Panels[1].Text = QStringLiteral(" Odczytano nastawy");
  form.WLTPC1Click();
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral("Niepoprawna wartość"));
  EXPECT_TRUE(controller.requests.empty());
  EXPECT_TRUE(state->Writes.empty());
  EXPECT_TRUE(ui.Log.isEmpty());
}

TEST_F(TransferOnFakeLine, HandlersEmptyTheStatusPanelBeforeTheyRun) {
  // A read that fails at once on a closed port still replaces the old text.
  form.Mdb1.ClosePort();
  form.StatusBar1.Panels[1].Text = QStringLiteral("old");
  form.N1Click();
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd odczytu"));
  form.StatusBar1.Panels[1].Text = QStringLiteral("old");
  form.WLTPC1Click();  // flag unchecked
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd zapisu"));
  EXPECT_TRUE(state->Writes.empty());
}

}  // namespace
