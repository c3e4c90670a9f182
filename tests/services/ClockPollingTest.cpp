// The clock tick against a controller that stops answering, headless on a
// scripted line: which ticks ask the controller (and so block the window for
// the link's tries), what status panel 1 says meanwhile, and how an answer
// brings the tick back to every second.

#include "AppTestSupport.h"
#include "FakeSerialLine.h"
#include "ModbusFrames.h"
#include "services/ClockPolling.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QString kSilent = QStringLiteral(" WLT nie odpowiada");

// A controller that answers every read with zeros while it answers at all.
class ClockPollingOnFakeLine : public ::testing::Test {
 protected:
  void SetUp() override {
    state->Responder = [this](const Bytes& request) -> Bytes {
      if (silent || request.size() != 8 || request[1] != 0x03) return {};
      if (refusing) return frames::WithCrc({request[0], 0x83, 0x04});
      return frames::ReadReply(request[0], std::vector<std::uint16_t>(std::size_t(request[5]), 0x0001));
    };
    form.InitSettingsCatalogue();
    form.Mdb1.OpenPort();
    ASSERT_TRUE(form.Mdb1.PortOpen());
    form.CheckBox_1.Checked = true;  // a controller was found
  }
  // One tick; true when it sent anything.
  bool Tick() {
    const std::size_t before = state->Writes.size();
    form.Timer1Timer();
    return state->Writes.size() != before;
  }
  QString Panel1() const { return form.StatusBar1.Panels[1].Text; }

  std::shared_ptr<FakeLineState> state = std::make_shared<FakeLineState>();
  bool silent = false;
  bool refusing = false;  // an exception reply to every read
  FakeUi ui;
  TForm1 form{ui, std::make_unique<FakeSerialLine>(state)};
};

// The controller falls silent at tick 3 and answers again from tick 30: it
// is asked at once, then after 2, 4 and 8 ticks, then every 10th, until an
// answer brings the tick back to every second.
TEST_F(ClockPollingOnFakeLine, ASilentControllerIsAskedLessAndLessOften) {
  const std::set<int> expectedPolls = {1, 2, 3, 5, 9, 17, 27, 37, 38, 39, 40};
  std::set<int> polls;
  for (int tick = 1; tick <= 40; ++tick) {
    silent = tick >= 3 && tick < 30;
    const std::size_t writesBefore = state->Writes.size();
    if (Tick()) polls.insert(tick);
    const bool answeredTick = polls.count(tick) && !silent;
    SCOPED_TRACE(tick);
    // A silent poll costs the link's three tries; an answered one one request.
    if (polls.count(tick)) {
      EXPECT_EQ(state->Writes.size() - writesBefore, silent ? 3u : 1u);
    }
    EXPECT_EQ(Panel1(), tick >= 3 && tick < 37 ? kSilent : QString());
    EXPECT_EQ(form.Edit9.Text, answeredTick ? QStringLiteral("01-00-01") : QStringLiteral("##-##-##"));
    // The PC's clock goes on every tick.
    EXPECT_EQ(form.Edit11.Text, QStringLiteral("2026-12-08"));
  }
  EXPECT_EQ(polls, expectedPolls);
  EXPECT_TRUE(ui.Log.isEmpty()) << ui.Log.join(QLatin1Char('|')).toStdString();  // no beep, no box
  EXPECT_TRUE(form.ControllerFound());
}

// An operation the user starts is not held back by the wait; when the
// controller answers it, the next tick asks at once.
TEST_F(ClockPollingOnFakeLine, AUsersAnsweredOperationEndsTheWait) {
  silent = true;
  ASSERT_TRUE(Tick());
  ASSERT_TRUE(Tick() == false);
  ASSERT_TRUE(Tick());  // fails again: now four ticks to wait
  silent = false;
  ASSERT_FALSE(Tick());
  const std::size_t before = state->Writes.size();
  form.N1Click();
  EXPECT_EQ(state->Writes.size(), before + 1);
  EXPECT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
  EXPECT_TRUE(Tick());
  // The result of the user's operation stays; the tick goes on every second.
  EXPECT_EQ(Panel1(), QStringLiteral(" Odczytano nastawy"));
  EXPECT_TRUE(Tick());
  EXPECT_TRUE(Tick());
}

// A user's operation that fails meanwhile reports as always, and a later
// good tick leaves that report alone.
TEST_F(ClockPollingOnFakeLine, OnlyTheTicksOwnTextIsCleared) {
  silent = true;
  ASSERT_TRUE(Tick());
  EXPECT_EQ(Panel1(), kSilent);
  form.N1Click();
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd odczytu"));
  EXPECT_EQ(ui.Messages, QStringList{QStringLiteral("Brak komunikacji z urządzeniem")});
  silent = false;
  while (!Tick()) {
  }
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd odczytu"));
  EXPECT_EQ(form.Edit9.Text, QStringLiteral("01-00-01"));
}

// A controller that answers with an exception is there: the tick shows the
// placeholders, keeps asking every second and says nothing of silence.
TEST_F(ClockPollingOnFakeLine, AnExceptionIsAnAnswer) {
  silent = true;
  ASSERT_TRUE(Tick());
  EXPECT_EQ(Panel1(), kSilent);
  silent = false;
  refusing = true;
  ASSERT_FALSE(Tick());
  for (int tick = 0; tick < 3; ++tick) {
    const std::size_t before = state->Writes.size();
    EXPECT_TRUE(Tick()) << tick;
    EXPECT_EQ(state->Writes.size(), before + 1) << tick;  // answered at once: one try
    EXPECT_EQ(Panel1(), QString()) << tick;
    EXPECT_EQ(form.Edit9.Text, QStringLiteral("##-##-##")) << tick;
  }
  EXPECT_FALSE(form.ClockTickMayWait());
}

// Disconnecting ends the tick's questions and its text; a new connection
// starts asking every second.
TEST_F(ClockPollingOnFakeLine, DisconnectAndConnectStartAfresh) {
  silent = true;
  ASSERT_TRUE(Tick());
  ASSERT_FALSE(Tick());
  ASSERT_TRUE(Tick());
  form.DisconnectClick();
  EXPECT_EQ(Panel1(), QString());
  EXPECT_FALSE(Tick());
  EXPECT_FALSE(form.ClockTickMayWait());
  silent = false;
  form.ConnectClick();
  ASSERT_TRUE(form.ControllerFound());
  EXPECT_TRUE(Tick());
  EXPECT_TRUE(Tick());
}

// The view shows the wait cursor for a tick exactly when it will ask a
// controller whose last transaction got no answer.
TEST_F(ClockPollingOnFakeLine, ATickMayWaitOnlyWhenItAsksASilentController) {
  ASSERT_TRUE(Tick());
  EXPECT_FALSE(form.ClockTickMayWait());
  silent = true;
  ASSERT_TRUE(Tick());
  EXPECT_FALSE(form.ClockTickMayWait());  // the next tick only waits
  ASSERT_FALSE(Tick());
  EXPECT_TRUE(form.ClockTickMayWait());   // this one asks again
  ASSERT_TRUE(Tick());
  form.CheckBox_1.Checked = false;
  EXPECT_FALSE(form.ClockTickMayWait());
}

TEST(ClockPolling, TheWaitDoublesUpToTenTicks) {
  ClockPolling polling;
  std::vector<int> intervals;
  for (int i = 0; i < 6; ++i) {
    polling.Record(false);
    intervals.push_back(polling.Interval);
  }
  EXPECT_EQ(intervals, (std::vector<int>{2, 4, 8, 10, 10, 10}));
  // Due counts the ticks of the wait down; an answer meanwhile ends it.
  polling.Reset();
  polling.Record(false);
  polling.Record(false);  // four ticks from one question to the next
  EXPECT_FALSE(polling.Due(false));
  EXPECT_FALSE(polling.Due(false));
  EXPECT_FALSE(polling.Due(false));
  EXPECT_TRUE(polling.Due(false));
  polling.Record(false);
  EXPECT_FALSE(polling.Due(false));
  EXPECT_TRUE(polling.Due(true));
  polling.Record(true);
  EXPECT_EQ(polling.Interval, 1);
  EXPECT_TRUE(polling.Due(false));
}

}  // namespace
