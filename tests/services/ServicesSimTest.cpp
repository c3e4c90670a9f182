// The device services of the headless window against wlt-sim on a
// pseudo-terminal: the frames on the wire, what the controller keeps and
// what the window shows. The PC's clock is the fixed one of the FakeUi.

#include "ScheduleRows.h"
#include "AppTestSupport.h"
#include "ModbusFrames.h"
#include "WindowOnSim.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using frames::Hex;
using frames::ReadRequest;
using frames::WriteRequest;

const QString kNoCommunication = QStringLiteral("message:Brak komunikacji z urządzeniem");

class ServicesWithSim : public WindowOnSim {
 protected:
  QStringList Rows() const { return ScheduleRows(form); }
  // One register as the controller holds it now (read outside the window's operations).
  std::uint16_t Held(int reg) {
    std::uint16_t value = 0xDEAD;
    EXPECT_TRUE(form.Mdb1.ReadRegisters(1, std::uint16_t(reg), 1, &value)) << reg;
    return value;
  }
};

TEST_F(ServicesWithSim, TheTickShowsTheControllersClockBesideThePcs) {
  StartSim({"--freeze-clock", "--clock", "2003-05-12T14:25:30"});
  Connect();
  form.Timer1Timer();
  EXPECT_EQ(sim->Requests(), std::vector<std::string>{Hex(ReadRequest(1, 1300, 4))});
  EXPECT_EQ(sim->Replies(), std::vector<std::string>{Hex(frames::ReadReply(1, {0x0503, 0x1412, 0x3025, 0x0002}))});
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("03-05-12"));
  EXPECT_EQ(form.Edit10.Text, QStringLiteral("14:25:30"));
  EXPECT_EQ(form.Edit15.Text, QStringLiteral("Poniedziałek"));
  // The PC row from the PC's clock: 8 December 2026 is a Tuesday.
  EXPECT_EQ(form.Edit11.Text, QStringLiteral("2026-12-08"));
  EXPECT_EQ(form.Edit12.Text, QStringLiteral("10:20:30"));
  EXPECT_EQ(form.Edit17.Text, QStringLiteral("Wtorek"));
  EXPECT_TRUE(ui.Log.isEmpty());
}

TEST_F(ServicesWithSim, WithoutAFoundControllerTheTickMakesNoTransaction) {
  StartSim();
  form.Mdb1.OpenPort();  // a controller is attached and the port open, but not found
  ASSERT_TRUE(form.Mdb1.PortOpen());
  for (int tick = 0; tick < 3; ++tick) form.Timer1Timer();
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("##-##-##"));
  EXPECT_EQ(form.Edit10.Text, QStringLiteral("##:##:##"));
  EXPECT_EQ(form.Edit11.Text, QStringLiteral("2026-12-08"));
  EXPECT_TRUE(sim->Requests().empty());
}

TEST_F(ServicesWithSim, SettingTheClockWritesThePcsTimeAndTheControllerTakesIt) {
  StartSim({"--freeze-clock", "--clock", "2021-07-04T08:00:00"});
  Connect();
  const struct {
    QDateTime pc;
    std::uint16_t words[3];
    const char* date;
    const char* time;
    const char* day;
  } cases[] = {
      {QDateTime(QDate(2003, 5, 12), QTime(14, 25, 30)), {0x0503, 0x1412, 0x3025}, "03-05-12", "14:25:30",
       "Poniedziałek"},
      // The year within the century: 2010 is 0x10 in the low byte of 1307.
      {QDateTime(QDate(2010, 1, 1), QTime(0, 0, 0)), {0x0110, 0x0001, 0x0000}, "10-01-01", "00:00:00", "Piątek"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    sim->ClearLog();
    ui.ClearRecords();
    ui.Clock = c.pc;
    ui.ConfirmAnswers = {true};
    form.Button4Click();
    const std::vector<std::string> expected = {
        Hex(ReadRequest(1, 1307, 1)),          Hex(WriteRequest(1, 1307, c.words[0])),
        Hex(WriteRequest(1, 1308, c.words[1])), Hex(WriteRequest(1, 1309, c.words[2])),
        Hex(WriteRequest(1, 1310, 0x0200)),
    };
    EXPECT_EQ(sim->Requests(), expected);
    EXPECT_EQ(ui.Log, QStringList{QStringLiteral("confirm:Zmienić czas i datę urządzenia?")});
    EXPECT_TRUE(Panel1().isEmpty());
    // The simulator's clock now shows the PC's time.
    form.Timer1Timer();
    EXPECT_EQ(form.Edit9.Text, QString::fromLatin1(c.date));
    EXPECT_EQ(form.Edit10.Text, QString::fromLatin1(c.time));
    EXPECT_EQ(form.Edit15.Text, QString::fromUtf8(c.day));
  }
}

TEST_F(ServicesWithSim, AClockWriteThatFailsLeavesTheControllersClockAndNeverSends1310) {
  StartSim({"--freeze-clock", "--clock", "2021-07-04T08:00:00", "--exception", "1309"});
  Connect();
  ui.Clock = QDateTime(QDate(2003, 5, 12), QTime(14, 25, 30));
  ui.ConfirmAnswers = {true};
  form.Button4Click();
  EXPECT_EQ(sim->Requests(), (std::vector<std::string>{Hex(ReadRequest(1, 1307, 1)),
                                                       Hex(WriteRequest(1, 1307, 0x0503)),
                                                       Hex(WriteRequest(1, 1308, 0x1412)),
                                                       Hex(WriteRequest(1, 1309, 0x3025))}));
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd zapisu"));
  EXPECT_EQ(ui.Log.mid(1),
            (QStringList{QStringLiteral("beep"),
                         kNoCommunication +
                             QStringLiteral("\nUrządzenie odpowiedziało wyjątkiem 2: niedozwolony adres danych.")}));
  form.Timer1Timer();
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("21-07-04"));
  EXPECT_EQ(form.Edit10.Text, QStringLiteral("08:00:00"));

  // 1307 and 1308 already hold the new date; the clock takes nothing until
  // 1310 gets 0x0200.
  EXPECT_EQ(Held(1307), 0x0503);
  EXPECT_EQ(Held(1308), 0x1412);
  ASSERT_TRUE(form.Mdb1.WriteRegister(1, 1310, 0x0100));
  form.Timer1Timer();
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("21-07-04"));
}

TEST_F(ServicesWithSim, TheSignalIsSwitchedOnAfterTheProbeOf1272) {
  StartSim();
  Connect();
  ui.ConfirmAnswers = {true};
  form.StatusBar1.Panels[1].Text = QStringLiteral("before");
  form.Button1Click();
  EXPECT_EQ(sim->Requests(), (std::vector<std::string>{Hex(ReadRequest(1, 1272, 1)), "01 06 04 F7 00 08 38 CE"}));
  EXPECT_EQ(sim->Replies().back(), "01 06 04 F7 00 08 38 CE");
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("confirm:Załączyć sygnał \"odst/odbl z systemu\" ?")});
  EXPECT_TRUE(Panel1().isEmpty());
  EXPECT_EQ(Held(1272), 8);
}

TEST_F(ServicesWithSim, TheNetworkAddressIsWrittenTo1274AndKept) {
  StartSim({"--network-address", "12"});
  Connect();
  form.SpinEdit2.Text = QStringLiteral("300");
  form.SpinEdit2Change();
  EXPECT_EQ(form.SpinEdit2.Text, QStringLiteral("247"));
  form.SpinEdit2.Text = QStringLiteral("5");
  form.SpinEdit2Change();
  ui.ConfirmAnswers = {true};
  form.Button3Click();

  const std::string write = Hex(WriteRequest(1, 1274, 5));
  EXPECT_EQ(write.substr(0, 17), "01 06 04 F9 00 05");  // wire address 0x04F9
  EXPECT_EQ(sim->Requests(), (std::vector<std::string>{Hex(ReadRequest(1, 1274, 1)), write}));
  EXPECT_EQ(sim->Replies().front(), Hex(frames::ReadReply(1, {12})));
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("confirm:Na pewno chcesz zmienić adres na 5?")});
  EXPECT_EQ(Panel1(), QStringLiteral("Ustawiono adres"));
  EXPECT_EQ(int(form.SlaveAddress), 1);  // the program still talks to address 1
  EXPECT_EQ(Held(1274), 5);
}

TEST_F(ServicesWithSim, TheScheduleIsReadWrittenAndReadBack) {
  StartSim();  // Monday 8 h, Wednesday 22 h, none
  Connect();
  form.Button6Click();
  EXPECT_EQ(Rows(), (QStringList{QStringLiteral("2:Poniedziałek/8"), QStringLiteral("4:Środa/22"),
                                 QStringLiteral("0:Żaden/0")}));
  // The probe, then each row: 1230 twice, and nothing written.
  EXPECT_EQ(sim->Requests(), (std::vector<std::string>{Hex(ReadRequest(1, 1230, 1)), Hex(ReadRequest(1, 1230, 1)),
                                                       Hex(ReadRequest(1, 1231, 1)), Hex(ReadRequest(1, 1232, 1))}));
  EXPECT_TRUE(ui.Log.isEmpty());

  sim->ClearLog();
  form.ComboBox5.SetItemIndex(4);  // "Środa"
  form.SpinEdit3.SetValue(22);
  form.ComboBox6.SetItemIndex(7);  // "Sobota"
  form.SpinEdit4.SetValue(23);
  form.ComboBox7.SetItemIndex(0);  // "Żaden"
  form.SpinEdit5.SetValue(0);
  form.StatusBar1.Panels[1].Text = QStringLiteral("before");
  ui.ConfirmAnswers = {true};
  form.Button2Click();
  // Writing reads only the probe register.
  EXPECT_EQ(sim->Requests(),
            (std::vector<std::string>{Hex(ReadRequest(1, 1230, 1)), Hex(WriteRequest(1, 1230, 0x2204)),
                                      Hex(WriteRequest(1, 1231, 0x2307)), Hex(WriteRequest(1, 1232, 0x0000))}));
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("confirm:Zmienić nastawione daty testowania?")});
  EXPECT_TRUE(Panel1().isEmpty());

  form.ComboBox5.SetItemIndex(1);
  form.SpinEdit4.SetValue(1);
  form.Button6Click();
  EXPECT_EQ(Rows(), (QStringList{QStringLiteral("4:Środa/22"), QStringLiteral("7:Sobota/23"),
                                 QStringLiteral("0:Żaden/0")}));
}

TEST_F(ServicesWithSim, StartUpWithAnAnsweringControllerShowsItsSchedule) {
  TempCurrentFolder folder;
  ASSERT_TRUE(folder.Valid());
  StartSim({"--set", "1230=0x2307", "--set", "1231=0x1001", "--set", "1232=0x0903"});
  form.FormCreate();
  ASSERT_TRUE(form.ControllerFound());
  EXPECT_EQ(Rows(), (QStringList{QStringLiteral("7:Sobota/23"), QStringLiteral("1:Niedziela/10"),
                                 QStringLiteral("3:Wtorek/9")}));
  const std::vector<std::string> requests = sim->Requests();
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(requests[0], kSettingsReadAtSlave1);
  EXPECT_EQ(requests[1], Hex(ReadRequest(1, 1230, 1)));
  EXPECT_EQ(requests[4], Hex(ReadRequest(1, 1232, 1)));
  EXPECT_TRUE(ui.Questions.isEmpty());
}

TEST_F(ServicesWithSim, AFailingProbeGivesTheStandardReportAndWritesNothing) {
  StartSim({"--exception", "1230", "--exception", "1272", "--exception", "1274", "--exception", "1307"});
  Connect();
  const struct {
    const char* name;
    void (TForm1::*click)();
    int probe;
    const char* status;
  } cases[] = {
      {"clock", &TForm1::Button4Click, 1307, " Błąd zapisu"},
      {"address", &TForm1::Button3Click, 1274, " Błąd zapisu"},
      {"signal", &TForm1::Button1Click, 1272, " Błąd zapisu"},
      {"schedule write", &TForm1::Button2Click, 1230, " Błąd zapisu"},
      {"schedule read", &TForm1::Button6Click, 1230, " Błąd odczytu"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sim->ClearLog();
    ui.ClearRecords();
    ui.ConfirmAnswers = {true};
    (form.*c.click)();
    // An exception is a well-formed reply: one try, no repetition.
    EXPECT_EQ(sim->Requests(), std::vector<std::string>{Hex(ReadRequest(1, c.probe, 1))});
    EXPECT_EQ(Panel1(), QString::fromUtf8(c.status));
    // The box names the exception (the simulator's default code, 2).
    EXPECT_EQ(ui.Log.mid(ui.Log.size() - 2),
              (QStringList{QStringLiteral("beep"),
                           kNoCommunication +
                               QStringLiteral("\nUrządzenie odpowiedziało wyjątkiem 2: niedozwolony adres danych.")}));
  }
  EXPECT_TRUE(form.ControllerFound());
  EXPECT_EQ(Rows()[0], QStringLiteral("0:Żaden/0"));
}

}  // namespace
