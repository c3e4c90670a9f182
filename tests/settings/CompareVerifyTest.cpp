// The check after a settings write and "Porównaj z WLT", headless on a
// controller behind a fake line: what goes over the wire, what the window
// shows, and that a compare writes nothing unless asked to.

#include "AppTestSupport.h"
#include "ModbusFrames.h"

#include <gtest/gtest.h>

namespace {

using frames::Hex;

const std::string kBlockRead = Hex(frames::ReadRequest(1, 801, 120));

class CompareAndVerify : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int reg = 901; reg <= 920; ++reg) w.line->Registers[std::uint16_t(reg)] = std::uint16_t(reg - 890);
    w.line->Registers[801] = 0x0011;  // boxes 801 and 805
    w.line->Registers[807] = 0x2000;  // box 910
    f.InitSettingsCatalogue();
    f.Mdb1.OpenPort();
    ASSERT_TRUE(f.Mdb1.PortOpen());
    f.CheckBox_1.Checked = true;  // as a connection leaves it
    f.N1Click();                  // the window shows what the controller holds
    ASSERT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
    w.line->Requests.clear();
  }
  QString Panel1() const { return f.StatusBar1.Panels[1].Text; }
  QString Name(int row) const { return f.StringGrid1.Cells(0, row); }
  QString Caption(int box) const { return f.CheckBox(box).Caption; }
  int Writes() const {
    int writes = 0;
    for (const std::string& request : w.line->Requests) writes += request.substr(3, 2) == "06";
    return writes;
  }

  FakeWindow w;
  TForm1& f = w.form;
  FakeUi& ui = w.ui;
};

// ---- The check after a write ----------------------------------------------

TEST_F(CompareAndVerify, AWriteTheControllerKeptReadsBackOnceAndReportsItsResult) {
  f.StringGrid1.Cells(1, 5) = QStringLiteral("150");
  f.WLTPC1Click();
  ASSERT_EQ(w.line->Requests.size(), 29u);
  EXPECT_EQ(Writes(), 28);
  EXPECT_EQ(w.line->Requests.back(), kBlockRead);
  EXPECT_EQ(Panel1(), QStringLiteral(" Zapisano nastawy"));
  EXPECT_TRUE(ui.Log.isEmpty()) << ui.Log.join(QLatin1Char('|')).toStdString();
}

// A controller that clamps or refuses a value echoes it all the same; the
// read back tells, register by register, in the grid's units.
TEST_F(CompareAndVerify, WhatTheControllerDidNotKeepIsListedRegisterByRegister) {
  struct Case {
    const char* name;
    std::function<std::uint16_t(std::uint16_t, std::uint16_t)> keeps;
    QStringList lines;  // after the box's heading
  };
  f.StringGrid1.Cells(1, 5) = QStringLiteral("1500");  // register value 150
  f.StringGrid1.Cells(1, 6) = QStringLiteral("77");    // row 6 as it stands
  f.CheckBox(803).Checked = true;
  const Case cases[] = {
      {"905 clamped to 100",
       [](std::uint16_t reg, std::uint16_t sent) { return reg == 905 ? std::min<std::uint16_t>(sent, 100) : sent; },
       {QStringLiteral("905 %1: 1500 -> 1000").arg(Name(5))}},
      {"905 and 906 refused",
       [](std::uint16_t reg, std::uint16_t sent) { return reg == 905 ? 15 : reg == 906 ? 16 : sent; },
       {QStringLiteral("905 %1: 1500 -> 150").arg(Name(5)), QStringLiteral("906 %1: 77 -> 16").arg(Name(6))}},
      {"bit 2 of 801 dropped",
       [](std::uint16_t reg, std::uint16_t sent) { return reg == 801 ? std::uint16_t(sent & ~4u) : sent; },
       {QStringLiteral("801.2 %1: 1 -> 0").arg(Caption(803))}},
      {"spare bit of 807 set",
       [](std::uint16_t reg, std::uint16_t sent) { return reg == 807 ? std::uint16_t(sent | 0x4000) : sent; },
       {QStringLiteral("807.14: 0 -> 1")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w.line->Keeps = c.keeps;
    w.line->Requests.clear();
    ui.ClearRecords();
    f.WLTPC1Click();
    EXPECT_EQ(w.line->Requests.size(), 29u);
    EXPECT_EQ(w.line->Requests.back(), kBlockRead);
    EXPECT_EQ(Panel1(), QStringLiteral(" Błąd weryfikacji"));
    ASSERT_EQ(ui.Beeps, 1);
    ASSERT_EQ(ui.Messages.size(), 1);
    QStringList box = ui.Messages.front().split(QLatin1Char('\n'));
    ASSERT_GE(box.size(), 2);
    EXPECT_TRUE(box.front().startsWith(QStringLiteral("Sterownik nie przyjął"))) << box.front().toStdString();
    box.removeFirst();
    box.removeFirst();  // the heading of the columns
    EXPECT_EQ(box, c.lines);
    // The write itself changes the controls never.
    EXPECT_EQ(f.StringGrid1.Cells(1, 5), QStringLiteral("1500"));
  }
}

TEST_F(CompareAndVerify, AFailedReadBackIsTheNoCommunicationReportSayingTheWriteWentOut) {
  w.line->AnswersReads = false;
  f.WLTPC1Click();
  ASSERT_EQ(w.line->Requests.size(), 31u);  // the 28 writes, the read's three tries
  EXPECT_EQ(Writes(), 28);
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd odczytu"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak komunikacji z urządzeniem\n"
                                                "Zapisano wszystkie 28 rejestrów, ale odczyt kontrolny się nie "
                                                "udał: nie sprawdzono, czy sterownik przyjął nastawy.")}));
}

TEST_F(CompareAndVerify, AnInvalidValueStopsTheWriteBeforeAnythingIsSentOrRead) {
  f.StringGrid1.Cells(1, 7) = QStringLiteral("12,5");
  f.WLTPC1Click();
  EXPECT_TRUE(w.line->Requests.empty());
  EXPECT_EQ(Panel1(), QStringLiteral("Niepoprawna wartość"));
  EXPECT_TRUE(ui.Log.isEmpty());
}

// ---- "Porównaj z WLT" ----------------------------------------------------

TEST_F(CompareAndVerify, TheCompareListsExactlyTheEditedSettingsAndWritesNothing) {
  f.StringGrid1.Cells(1, 3) = QStringLiteral("500");
  f.StringGrid1.Cells(1, 8) = QStringLiteral("9");
  f.CheckBox(910).Checked = false;
  const auto image = f.SettingsImage;
  f.Porownaj1Click();

  EXPECT_EQ(w.line->Requests, std::vector<std::string>{kBlockRead});
  ASSERT_EQ(ui.DifferenceTables.size(), 1u);
  const std::vector<SettingsDiff::Change> expected = {
      {903, -1, Name(3), 130, 500},  // the controller's value, then the window's, in grid units
      {908, -1, Name(8), 18, 9},
      {807, 13, Caption(910), 1, 0},
  };
  EXPECT_EQ(ui.DifferenceTables.front(), expected);
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("differences:3")});
  EXPECT_TRUE(Panel1().isEmpty());
  EXPECT_EQ(f.SettingsImage, image);  // nothing converted into the image either
  EXPECT_EQ(f.StringGrid1.Cells(1, 3), QStringLiteral("500"));
}

TEST_F(CompareAndVerify, EqualSettingsSayTheyAgree) {
  f.StringGrid1.Cells(1, 2) = QStringLiteral("116");  // rounds to the controller's 12
  f.Porownaj1Click();
  EXPECT_EQ(w.line->Requests, std::vector<std::string>{kBlockRead});
  EXPECT_TRUE(ui.DifferenceTables.empty());
  EXPECT_EQ(Panel1(), QStringLiteral("Nastawy zgodne z WLT"));
  EXPECT_TRUE(ui.Log.isEmpty());
}

TEST_F(CompareAndVerify, TheCompareFailsAsTheReadAndTheWriteDo) {
  struct Case {
    const char* name;
    QString cell;  // grid row 4
    bool answers;
    std::size_t requests;
    QString panel;
    QStringList log;
  };
  const Case cases[] = {
      {"not an integer", QStringLiteral("40 "), true, 0, QStringLiteral("Niepoprawna wartość"), {}},
      {"out of the register's range", QStringLiteral("700000"), true, 0, QStringLiteral("Niepoprawna wartość"), {}},
      {"no answer", QStringLiteral("40"), false, 3, QStringLiteral(" Błąd odczytu"),
       {QStringLiteral("beep"), QStringLiteral("message:Brak komunikacji z urządzeniem")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f.StringGrid1.Cells(1, 4) = c.cell;
    w.line->Answers = c.answers;
    w.line->Requests.clear();
    ui.ClearRecords();
    f.StatusBar1.Panels[1].Text = QStringLiteral("old");
    f.Porownaj1Click();
    EXPECT_EQ(w.line->Requests.size(), c.requests);
    EXPECT_EQ(Panel1(), c.panel);
    EXPECT_EQ(ui.Log, c.log);
    EXPECT_TRUE(ui.DifferenceTables.empty());
  }
}

// The table's button runs "Zapis nastaw do WLT": the write and its check.
TEST_F(CompareAndVerify, TheWriteAskedForFromTheTableWritesAndChecks) {
  f.StringGrid1.Cells(1, 1) = QStringLiteral("250");
  ui.DifferenceAnswers = {true};
  f.Porownaj1Click();
  ASSERT_EQ(w.line->Requests.size(), 30u);  // the compare's read, 28 writes, the check
  EXPECT_EQ(w.line->Requests.front(), kBlockRead);
  EXPECT_EQ(w.line->Requests[1], Hex(frames::WriteRequest(1, 901, 25)));
  EXPECT_EQ(w.line->Requests.back(), kBlockRead);
  EXPECT_EQ(w.line->Registers[901], 25);
  EXPECT_EQ(Panel1(), QStringLiteral(" Zapisano nastawy"));

  // Without the controller-found flag the write is refused as always.
  f.CheckBox_1.Checked = false;
  f.StringGrid1.Cells(1, 1) = QStringLiteral("350");
  ui.DifferenceAnswers = {true};
  w.line->Requests.clear();
  f.Porownaj1Click();
  EXPECT_EQ(w.line->Requests, std::vector<std::string>{kBlockRead});
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd zapisu"));
}

}  // namespace
