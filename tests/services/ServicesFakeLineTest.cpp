// The device services of the headless window on a scripted line: faults a
// real controller seldom shows on demand (a write refused halfway, a read
// that fails on one row), the confirmation, values the controller must not
// get, the clock display's corner cases and the exact frames at another
// slave address.

#include "ScheduleRows.h"
#include "FakeSerialLine.h"
#include "AppTestSupport.h"
#include "ModbusFrames.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace {

using frames::Hex;

// A controller behind the fake line: answers reads from its registers and
// stores the writes it echoes, except where a test breaks it.
struct ScriptedController {
  std::uint8_t slave = 1;
  std::map<int, std::uint16_t> registers;
  std::set<int> silentReads;    // a read touching one of these gets no reply
  std::set<int> silentWrites;   // a write to one of these gets no reply
  std::set<int> refusedWrites;  // a write to one of these gets exception 4
  std::vector<std::string> requests;

  Bytes Answer(const Bytes& request) {
    requests.push_back(Hex(request));
    if (request.size() != 8 || request[0] != slave) return {};
    const int first = ((request[2] << 8) | request[3]) + 1;
    const int operand = (request[4] << 8) | request[5];
    if (request[1] == 0x03) {
      std::vector<std::uint16_t> words;
      for (int reg = first; reg < first + operand; ++reg) {
        if (silentReads.count(reg)) return {};
        words.push_back(registers[reg]);
      }
      return frames::ReadReply(request[0], words);
    }
    if (request[1] == 0x06) {
      if (silentWrites.count(first)) return {};
      if (refusedWrites.count(first)) return frames::WithCrc({request[0], 0x86, 0x04});
      registers[first] = std::uint16_t(operand);
      return request;
    }
    return {};
  }
  // The registers written, in order.
  std::vector<int> WrittenRegisters() const {
    std::vector<int> written;
    for (const std::string& frame : requests)
      if (frame.substr(3, 2) == "06") written.push_back(std::stoi(frame.substr(6, 2) + frame.substr(9, 2), nullptr, 16) + 1);
    return written;
  }
};

// A Ui that also counts the readings of the PC clock.
struct CountingUi : FakeUi {
  int ClockReadings = 0;
  QDateTime Now() override {
    ++ClockReadings;
    return FakeUi::Now();
  }
};

const QString kNoCommunication = QStringLiteral("message:Brak komunikacji z urządzeniem");
const QString kSetClock = QStringLiteral("Zmienić czas i datę urządzenia?");
const QString kSwitchSignal = QStringLiteral("Załączyć sygnał \"odst/odbl z systemu\" ?");
const QString kWriteSchedule = QStringLiteral("Zmienić nastawione daty testowania?");

class ServicesOnFakeLine : public ::testing::Test {
 protected:
  ServicesOnFakeLine() {
    state->Responder = [this](const Bytes& request) { return controller.Answer(request); };
  }
  void SetUp() override {
    form.InitSettingsCatalogue();
    form.Mdb1.OpenPort();
    ASSERT_TRUE(form.Mdb1.PortOpen());
    ui.Clock = QDateTime(QDate(2003, 5, 12), QTime(14, 25, 30));
  }
  QString Panel1() const { return form.StatusBar1.Panels[1].Text; }
  void SetRow(TComboBox& day, TSpinEdit& hour, int dayCode, int hourValue) {
    day.SetItemIndex(dayCode);
    hour.SetValue(hourValue);
  }
  QStringList Rows() const { return ScheduleRows(form); }

  std::shared_ptr<FakeLineState> state = std::make_shared<FakeLineState>();
  ScriptedController controller;
  CountingUi ui;
  TForm1 form{ui, std::make_unique<FakeSerialLine>(state)};
};

// ---- Confirmation -----------------------------------------------------------

struct Command {
  const char* name;
  void (TForm1::*click)();
  QString question;
};

const Command kCommands[] = {
    {"Button4 (clock)", &TForm1::Button4Click, kSetClock},
    {"Button3 (address)", &TForm1::Button3Click, QStringLiteral("Na pewno chcesz zmienić adres na 5?")},
    {"Button1 (signal)", &TForm1::Button1Click, kSwitchSignal},
    {"Button2 (schedule)", &TForm1::Button2Click, kWriteSchedule},
};

TEST_F(ServicesOnFakeLine, CancelInAConfirmationSendsNothing) {
  form.SpinEdit2.SetValue(5);
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.name);
    ui.ClearRecords();
    form.StatusBar1.Panels[1].Text = QStringLiteral("before");
    ui.ConfirmAnswers = {false};
    (form.*command.click)();
    EXPECT_EQ(ui.Log, QStringList{QStringLiteral("confirm:") + command.question});
    EXPECT_EQ(Panel1(), QStringLiteral("before"));
  }
  EXPECT_TRUE(controller.requests.empty());
}

TEST_F(ServicesOnFakeLine, EveryFrameGoesToTheSlaveAddressNotTheNetworkAddress) {
  form.SlaveAddress = 7;
  controller.slave = 7;
  form.SpinEdit2.SetValue(12);
  SetRow(form.ComboBox5, form.SpinEdit3, 4, 22);
  SetRow(form.ComboBox6, form.SpinEdit4, 7, 23);
  SetRow(form.ComboBox7, form.SpinEdit5, 0, 0);
  ui.ConfirmAnswers = {true, true, true, true};
  form.Button4Click();
  form.Button3Click();
  form.Button1Click();
  form.Button2Click();

  using frames::ReadRequest;
  using frames::WriteRequest;
  const std::vector<std::string> expected = {
      Hex(ReadRequest(7, 1307, 1)),          Hex(WriteRequest(7, 1307, 0x0503)),
      Hex(WriteRequest(7, 1308, 0x1412)),    Hex(WriteRequest(7, 1309, 0x3025)),
      Hex(WriteRequest(7, 1310, 0x0200)),    Hex(ReadRequest(7, 1274, 1)),
      Hex(WriteRequest(7, 1274, 12)),        Hex(ReadRequest(7, 1272, 1)),
      Hex(WriteRequest(7, 1272, 8)),         Hex(ReadRequest(7, 1230, 1)),
      Hex(WriteRequest(7, 1230, 0x2204)),    Hex(WriteRequest(7, 1231, 0x2307)),
      Hex(WriteRequest(7, 1232, 0x0000)),
  };
  EXPECT_EQ(controller.requests, expected);
  EXPECT_EQ(ui.Questions, (QStringList{kSetClock, QStringLiteral("Na pewno chcesz zmienić adres na 12?"),
                                       kSwitchSignal, kWriteSchedule}));
  EXPECT_EQ(ui.Beeps, 0);
  EXPECT_TRUE(ui.Messages.isEmpty());
  EXPECT_EQ(int(form.SlaveAddress), 7);
  EXPECT_EQ(ui.ClockReadings, 1);  // the clock set read the PC's clock once
}

// ---- A failing probe ---------------------------------------------------------

struct Operation {
  const char* name;
  bool (TForm1::*run)();
  int probe;
  QString status;
};

const Operation kOperations[] = {
    {"SetDeviceClock", &TForm1::SetDeviceClock, 1307, QStringLiteral(" Błąd zapisu")},
    {"SetNetworkAddress", &TForm1::SetNetworkAddress, 1274, QStringLiteral(" Błąd zapisu")},
    {"SwitchSystemSignal", &TForm1::SwitchSystemSignal, 1272, QStringLiteral(" Błąd zapisu")},
    {"WriteTestSchedule", &TForm1::WriteTestSchedule, 1230, QStringLiteral(" Błąd zapisu")},
    {"ReadTestSchedule", &TForm1::ReadTestSchedule, 1230, QStringLiteral(" Błąd odczytu")},
};

TEST_F(ServicesOnFakeLine, AFailingProbeGivesTheNoCommunicationReportAndWritesNothing) {
  controller.registers[1230] = 0x2307;
  SetRow(form.ComboBox6, form.SpinEdit4, 3, 9);
  const QStringList rows = Rows();
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    controller.requests.clear();
    controller.silentReads = {op.probe};
    ui.ClearRecords();
    EXPECT_FALSE((form.*op.run)());
    // The link's three tries of the one-register probe, nothing else.
    EXPECT_EQ(controller.requests, std::vector<std::string>(3, Hex(frames::ReadRequest(1, op.probe, 1))));
    EXPECT_EQ(Panel1(), op.status);
    EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"), kNoCommunication}));
    EXPECT_EQ(Rows(), rows);
  }
  EXPECT_EQ(ui.ClockReadings, 0);  // the clock set stopped before reading the PC's clock
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));  // state unchanged
}

// ---- A failing write after a good probe --------------------------------------

struct WriteFault {
  const char* name;
  bool (TForm1::*run)();
  int failing;
  bool silent;  // no reply (three tries) rather than an exception reply
  std::vector<int> written;  // the registers the controller was sent, in order
};

const WriteFault kWriteFaults[] = {
    {"clock, 1307 refused", &TForm1::SetDeviceClock, 1307, false, {1307}},
    {"clock, 1308 refused", &TForm1::SetDeviceClock, 1308, false, {1307, 1308}},
    {"clock, 1309 silent", &TForm1::SetDeviceClock, 1309, true, {1307, 1308, 1309, 1309, 1309}},
    {"clock, 1310 refused", &TForm1::SetDeviceClock, 1310, false, {1307, 1308, 1309, 1310}},
    {"address refused", &TForm1::SetNetworkAddress, 1274, false, {1274}},
    {"address silent", &TForm1::SetNetworkAddress, 1274, true, {1274, 1274, 1274}},
    {"signal refused", &TForm1::SwitchSystemSignal, 1272, false, {1272}},
    {"schedule, 1230 refused", &TForm1::WriteTestSchedule, 1230, false, {1230}},
    {"schedule, 1231 silent", &TForm1::WriteTestSchedule, 1231, true, {1230, 1231, 1231, 1231}},
    {"schedule, 1232 refused", &TForm1::WriteTestSchedule, 1232, false, {1230, 1231, 1232}},
};

TEST_F(ServicesOnFakeLine, AFailedWriteEndsTheOperationWithTheWriteReport) {
  form.SpinEdit2.SetValue(9);
  for (const WriteFault& fault : kWriteFaults) {
    SCOPED_TRACE(fault.name);
    controller.requests.clear();
    controller.silentWrites.clear();
    controller.refusedWrites.clear();
    (fault.silent ? controller.silentWrites : controller.refusedWrites).insert(fault.failing);
    form.StatusBar1.Panels[1].Text = QStringLiteral("before");
    ui.ClearRecords();
    EXPECT_FALSE((form.*fault.run)());
    EXPECT_EQ(controller.WrittenRegisters(), fault.written);
    EXPECT_EQ(Panel1(), QStringLiteral(" Błąd zapisu"));  // never "Ustawiono adres"
    // A refused write names its exception (code 4 here); a silent one has nothing to name.
    const QString exception = QStringLiteral("\nUrządzenie odpowiedziało wyjątkiem 4: awaria urządzenia podrzędnego.");
    EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"), kNoCommunication + (fault.silent ? QString() : exception)}));
  }
  // The controller never took the command to apply a new time: it was only
  // sent where it was the write that failed.
  EXPECT_EQ(controller.registers.count(1310), 0u);
}

// ---- The test schedule ---------------------------------------------------------

TEST_F(ServicesOnFakeLine, AScheduleReadStopsAtTheRowWhoseReadFails) {
  controller.registers = {{1230, 0x0802}, {1231, 0x2204}, {1232, 0x2307}};
  for (int failing : {1231, 1232}) {
    SCOPED_TRACE(failing);
    SetRow(form.ComboBox5, form.SpinEdit3, 1, 1);
    SetRow(form.ComboBox6, form.SpinEdit4, 6, 5);
    SetRow(form.ComboBox7, form.SpinEdit5, 3, 6);
    controller.requests.clear();
    controller.silentReads = {failing};
    ui.ClearRecords();
    EXPECT_FALSE(form.ReadTestSchedule());

    std::vector<std::string> expected = {Hex(frames::ReadRequest(1, 1230, 1))};
    for (int reg = 1230; reg < failing; ++reg) expected.push_back(Hex(frames::ReadRequest(1, reg, 1)));
    for (int i = 0; i < 3; ++i) expected.push_back(Hex(frames::ReadRequest(1, failing, 1)));
    EXPECT_EQ(controller.requests, expected);  // nothing after the failed row
    const QStringList rows = Rows();
    EXPECT_EQ(rows[0], QStringLiteral("2:Poniedziałek/8"));
    EXPECT_EQ(rows[1], failing == 1231 ? QStringLiteral("6:Piątek/5") : QStringLiteral("4:Środa/22"));
    EXPECT_EQ(rows[2], QStringLiteral("3:Wtorek/6"));
    EXPECT_EQ(Panel1(), QStringLiteral(" Błąd odczytu"));
    EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"), kNoCommunication}));  // once
  }
}

TEST_F(ServicesOnFakeLine, RegisterValuesBeyondTheControlsShowAsTheControlsCan) {
  const struct {
    std::uint16_t word;
    const char* shown;
  } cases[] = {
      {0x2307, "7:Sobota/23"}, {0x2400, "0:Żaden/23"},  // an hour above 23 shows 23
      {0x9901, "1:Niedziela/23"}, {0xFFFF, "-1:/23"},
      {0x0508, "-1:/5"}, {0x000A, "-1:/0"},  // a day code above 7 chooses no item
  };
  for (const auto& c : cases) {
    controller.registers[1230] = c.word;
    ASSERT_TRUE(form.ReadTestSchedule());
    EXPECT_EQ(Rows()[0], QString::fromUtf8(c.shown)) << std::hex << c.word;
  }
  EXPECT_TRUE(Panel1().isEmpty());
}

TEST_F(ServicesOnFakeLine, AScheduleWithARowOutsideItsControlsIsRefusedUnsent) {
  const struct {
    const char* name;
    std::function<void(TForm1&)> spoil;
  } cases[] = {
      {"no day chosen", [](TForm1& f) { f.ComboBox6.SetItemIndex(-1); }},
      {"hour typed as 24", [](TForm1& f) { f.SpinEdit3.Text = QStringLiteral("24"); }},
      {"hour typed as 99", [](TForm1& f) { f.SpinEdit5.Text = QStringLiteral("99"); }},
      {"hour typed as -1", [](TForm1& f) { f.SpinEdit4.Text = QStringLiteral("-1"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetRow(form.ComboBox5, form.SpinEdit3, 1, 1);
    SetRow(form.ComboBox6, form.SpinEdit4, 2, 2);
    SetRow(form.ComboBox7, form.SpinEdit5, 3, 3);
    c.spoil(form);
    ui.ClearRecords();
    ui.ConfirmAnswers = {true};
    form.Button2Click();
    EXPECT_EQ(Panel1(), QStringLiteral("Niepoprawna wartość"));
    EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("confirm:") + kWriteSchedule, QStringLiteral("beep")}));
  }
  EXPECT_TRUE(controller.requests.empty());

  // Once every row holds a day and an hour the write goes out; an hour
  // whose text is no number counts as the spin edit's minimum, 0.
  SetRow(form.ComboBox5, form.SpinEdit3, 1, 1);
  SetRow(form.ComboBox6, form.SpinEdit4, 2, 2);
  form.SpinEdit4.Text.clear();
  SetRow(form.ComboBox7, form.SpinEdit5, 3, 3);
  ASSERT_TRUE(form.WriteTestSchedule());
  EXPECT_EQ(controller.registers[1230], 0x0101);
  EXPECT_EQ(controller.registers[1231], 0x0002);
  EXPECT_EQ(controller.registers[1232], 0x0303);
  EXPECT_TRUE(Panel1().isEmpty());
}

// ---- Network address ---------------------------------------------------------

TEST_F(ServicesOnFakeLine, SpinEdit2ChangeKeepsTheAddressWithin247) {
  const struct {
    const char* typed;
    const char* after;
  } cases[] = {{"300", "247"}, {"248", "247"}, {"247", "247"}, {"5", "5"},
               {"0", "0"},  // stands until corrected
               {"-5", "1"},  // the control brings it to its minimum
               {"", ""}};    // no number yet: the control's minimum, left as typed
  for (const auto& c : cases) {
    form.SpinEdit2.Text = QString::fromLatin1(c.typed);
    form.SpinEdit2Change();
    EXPECT_EQ(form.SpinEdit2.Text, QString::fromLatin1(c.after)) << c.typed;
  }
  // Started by an hour spin edit, it still acts on SpinEdit2 only.
  form.SpinEdit2.Text = QStringLiteral("400");
  form.SpinEdit3.Text = QStringLiteral("30");
  form.SpinEdit2Change();
  EXPECT_EQ(form.SpinEdit2.Text, QStringLiteral("247"));
  EXPECT_EQ(form.SpinEdit3.Text, QStringLiteral("30"));
  EXPECT_TRUE(controller.requests.empty());
  EXPECT_EQ(int(form.SlaveAddress), 1);
}

TEST_F(ServicesOnFakeLine, AnAddressOfZeroIsRefusedUnsent) {
  form.SpinEdit2.Text = QStringLiteral("0");
  form.SpinEdit2Change();
  ui.ConfirmAnswers = {true};
  form.Button3Click();
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("confirm:Na pewno chcesz zmienić adres na 0?"),
                                 QStringLiteral("beep")}));
  EXPECT_EQ(Panel1(), QStringLiteral("Niepoprawna wartość"));
  EXPECT_TRUE(controller.requests.empty());
}

// ---- The clock display -------------------------------------------------------

TEST_F(ServicesOnFakeLine, WithoutAControllerTheTickShowsPlaceholdersAndSendsNothing) {
  form.Edit15.Text = QStringLiteral("Czwartek");
  ui.Clock = QDateTime(QDate(2026, 12, 8), QTime(10, 20, 30));  // a Tuesday
  form.Timer1Timer();
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("##-##-##"));
  EXPECT_EQ(form.Edit10.Text, QStringLiteral("##:##:##"));
  EXPECT_EQ(form.Edit15.Text, QStringLiteral("Czwartek"));
  EXPECT_EQ(form.Edit11.Text, QStringLiteral("2026-12-08"));
  EXPECT_EQ(form.Edit12.Text, QStringLiteral("10:20:30"));
  EXPECT_EQ(form.Edit17.Text, QStringLiteral("Wtorek"));
  EXPECT_TRUE(controller.requests.empty());
  EXPECT_EQ(ui.ClockReadings, 1);

  // Nor with the port closed.
  form.Mdb1.ClosePort();
  form.Timer1Timer();
  EXPECT_TRUE(controller.requests.empty());
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("##-##-##"));
}

TEST_F(ServicesOnFakeLine, TheTickShowsTheControllersClockAndAFailedReadOnlyThePlaceholders) {
  form.CheckBox_1.Checked = true;  // a controller was found
  controller.registers = {{1300, 0x0503}, {1301, 0x1412}, {1302, 0x3025}, {1303, 0x0002}};
  form.Timer1Timer();
  EXPECT_EQ(controller.requests, std::vector<std::string>{Hex(frames::ReadRequest(1, 1300, 4))});
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("03-05-12"));
  EXPECT_EQ(form.Edit10.Text, QStringLiteral("14:25:30"));
  EXPECT_EQ(form.Edit15.Text, QStringLiteral("Poniedziałek"));

  controller.silentReads = {1302};
  form.StatusBar1.Panels[1].Text = QStringLiteral("before");
  form.Timer1Timer();
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("##-##-##"));
  EXPECT_EQ(form.Edit10.Text, QStringLiteral("##:##:##"));
  EXPECT_EQ(form.Edit15.Text, QStringLiteral("Poniedziałek"));  // kept
  EXPECT_EQ(Panel1(), QStringLiteral(" WLT nie odpowiada"));
  EXPECT_TRUE(ui.Log.isEmpty());  // no beep, no message
  EXPECT_TRUE(form.ControllerFound());

  // The next tick only shows the PC's clock; the one after tries again.
  controller.silentReads.clear();
  controller.registers[1300] = 0x1C99;
  const std::size_t asked = controller.requests.size();
  form.Timer1Timer();
  EXPECT_EQ(controller.requests.size(), asked);
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("##-##-##"));
  form.Timer1Timer();
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("99-112-12"));
  EXPECT_EQ(Panel1(), QString());
}

TEST_F(ServicesOnFakeLine, ADayOfTheWeekOutsideTheTableShowsNoDay) {
  form.CheckBox_1.Checked = true;
  const struct {
    std::uint16_t word;
    const char* day;
  } cases[] = {{0x0001, "Niedziela"}, {0x0007, "Sobota"}, {0x00F4, "Środa"}, {0x0000, ""},
               {0x0008, ""},          {0x000F, ""},       {0xFFF0, ""}};
  for (const auto& c : cases) {
    form.Edit15.Text = QStringLiteral("stale");
    controller.registers[1303] = c.word;
    form.Timer1Timer();
    EXPECT_EQ(form.Edit15.Text, QString::fromUtf8(c.day)) << std::hex << c.word;
  }
}

TEST_F(ServicesOnFakeLine, ThePcRowNamesTheDayCountedFromSunday) {
  const char* days[] = {"Niedziela", "Poniedziałek", "Wtorek", "Środa", "Czwartek", "Piątek", "Sobota"};
  for (int i = 0; i < 7; ++i) {
    ui.Clock = QDateTime(QDate(2024, 12, 29).addDays(i), QTime(23, 59, 59));  // from a Sunday
    form.Timer1Timer();
    EXPECT_EQ(form.Edit17.Text, QString::fromUtf8(days[i])) << i;
    EXPECT_EQ(form.Edit11.Text, QDate(2024, 12, 29).addDays(i).toString(Qt::ISODate));
    EXPECT_EQ(form.Edit12.Text, QStringLiteral("23:59:59"));
  }
}

}  // namespace
