// What status panel 1 says while an operation that may take seconds runs
// (the connection, the settings read and write, the event readout): one
// progress text per transaction, handed to the Ui to be shown at once, then
// the operation's usual result text. Headless on a scripted line.

#include "AppTestSupport.h"
#include "FakeSerialLine.h"
#include "ModbusFrames.h"
#include "settings/SettingsTexts.h"

#include <gtest/gtest.h>

namespace {

// Records, with every progress text and box, what panel 1 of the state
// showed at that moment.
struct ProgressUi : FakeUi {
  const TForm1* form = nullptr;
  QStringList panelAtProgress, panelAtMessage;
  void ShowProgress(const QString& status) override {
    panelAtProgress << form->StatusBar1.Panels[1].Text;
    FakeUi::ShowProgress(status);
  }
  void ShowMessage(const QString& text) override {
    panelAtMessage << form->StatusBar1.Panels[1].Text;
    FakeUi::ShowMessage(text);
  }
};

// A controller that answers reads with zeros and echoes writes, until it
// falls silent after answering a number of requests.
class LongOperationProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.form = &form;
    state->Responder = [this](const Bytes& request) -> Bytes {
      if (answersLeft == 0 || request.size() != 8) return {};
      --answersLeft;
      if (request[1] == 0x06) return request;
      return frames::ReadReply(request[0], std::vector<std::uint16_t>(std::size_t(request[5]), 0));
    };
    form.InitSettingsCatalogue();
    form.Mdb1.Port = COM1;
  }
  void Connect() {
    form.ConnectDevice();
    ASSERT_TRUE(form.ControllerFound());
    ui.ClearRecords();
    ui.panelAtProgress.clear();
    ui.panelAtMessage.clear();
  }
  static QStringList Counted(const QString& format, int from, int to, int of) {
    QStringList texts;
    for (int i = from; i <= to; ++i) texts << format.arg(i).arg(of);
    return texts;
  }

  std::shared_ptr<FakeLineState> state = std::make_shared<FakeLineState>();
  int answersLeft = 1000;
  ProgressUi ui;
  TForm1 form{ui, std::make_unique<FakeSerialLine>(state)};
};

const QString kEvents = QStringLiteral(" Odczyt zdarzeń %1/%2 …");
const QString kWrite = QStringLiteral(" Zapis nastaw %1/%2 …");

TEST_F(LongOperationProgress, EachOperationShowsWhatItDoesThenItsResult) {
  struct Case {
    const char* name;
    void (TForm1::*handler)();
    int answers;  // requests answered before the controller falls silent
    QStringList progress;
    QString result;       // panel 1 afterwards
    QStringList messages;
  };
  const QString noCommunication = QStringLiteral("Brak komunikacji z urządzeniem");
  const Case cases[] = {
      {"event readout", &TForm1::Odczyt1Click, 1000, Counted(kEvents, 1, 7, 7),
       QStringLiteral(" Odczytano zdarzenia"), {}},
      {"event readout, silent at the third block", &TForm1::Odczyt1Click, 2, Counted(kEvents, 1, 3, 7),
       QStringLiteral(" Błąd odczytu"), {noCommunication}},
      {"settings read", &TForm1::N1Click, 1000, {QStringLiteral(" Odczyt nastaw …")},
       QStringLiteral(" Odczytano nastawy"), {}},
      {"settings read, silent", &TForm1::N1Click, 0, {QStringLiteral(" Odczyt nastaw …")},
       QStringLiteral(" Błąd odczytu"), {noCommunication}},
      {"settings write", &TForm1::WLTPC1Click, 1000,
       Counted(kWrite, 1, 28, 28) << QStringLiteral(" Weryfikacja nastaw …"),
       QStringLiteral(" Zapisano nastawy"), {}},
      {"settings write, silent at the fifth write", &TForm1::WLTPC1Click, 4, Counted(kWrite, 1, 5, 28),
       QStringLiteral(" Brak urządzenia"),
       {QStringLiteral("Nie znaleziono urządzenia\n") +
        SettingsTexts::PartlyWritten.arg(4).arg(28).arg(QStringLiteral("901-904"))}},
      {"connection", &TForm1::ConnectClick, 1000, {QStringLiteral(" Łączenie z COM1 …")}, QString(), {}},
      {"connection, silent", &TForm1::ConnectClick, 0, {QStringLiteral(" Łączenie z COM1 …")}, QString(),
       {QStringLiteral("Nie znaleziono urządzenia")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answersLeft = 1000;
    Connect();
    form.ImageToGrid();  // the zeros read: values the write takes
    form.StatusBar1.Panels[1].Text = QStringLiteral(" przedtem");
    answersLeft = c.answers;
    (form.*c.handler)();
    EXPECT_EQ(ui.Progress, c.progress);
    // The state held each text when the Ui was asked to show it.
    EXPECT_EQ(ui.panelAtProgress, c.progress);
    EXPECT_EQ(form.StatusBar1.Panels[1].Text, c.result);
    EXPECT_EQ(ui.Messages, c.messages);
    // A box shows the result, never a progress text.
    for (const QString& panel : ui.panelAtMessage) EXPECT_FALSE(panel.endsWith(QStringLiteral("…")));
    form.DisconnectDevice();
  }
}

// Operations that finish at once show no progress: a write refused before
// anything is sent, a tick of the clock, the list of a readout.
TEST_F(LongOperationProgress, QuickOperationsShowNone) {
  Connect();
  form.StringGrid1.Cells(1, 1) = QStringLiteral("abc");  // not a number: nothing is written
  form.WLTPC1Click();
  form.Timer1Timer();
  form.Button5Click();
  EXPECT_TRUE(ui.Progress.isEmpty()) << ui.Progress.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral("Niepoprawna wartość"));
  // Without a controller the write ends before the line.
  form.DisconnectDevice();
  form.WLTPC1Click();
  EXPECT_TRUE(ui.Progress.isEmpty());
}

}  // namespace
