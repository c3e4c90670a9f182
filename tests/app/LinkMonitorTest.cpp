// The link monitor headless: its menu entry, what it watches while open,
// its rows and counters, the last 10,000 rows, its saved file; and the
// exception a failed operation got, named in its box.

#include "AppTestSupport.h"
#include "files/TextFile.h"
#include "settings/SettingsTexts.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

class LinkMonitorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    w.SetController(12, 2021);
    f.InitSettingsCatalogue();
  }

  QStringList RowLines() const {
    QStringList lines;
    for (const LinkRow& row : f.Monitor.Rows()) lines << QString::fromStdString(LinkRows::Line(row));
    return lines;
  }

  TempCurrentFolder folder;
  FakeWindow w;
  TForm1& f = w.form;
};

LinkEvent Sent(unsigned tryNumber) {
  static const std::uint8_t request[8] = {1, 3, 3, 0x81, 0, 1, 0xD4, 0x66};
  LinkEvent e;
  e.What = LinkEvent::Kind::RequestSent;
  e.Request = request;
  e.RequestLength = 8;
  e.Try = tryNumber;
  e.Tries = 3;
  return e;
}

TEST_F(LinkMonitorTest, ItsEntryEndsTheMenuKomunikacjaAndItStartsClosed) {
  EXPECT_EQ(f.Monitorcza1.Name, QStringLiteral("Monitorcza1"));
  EXPECT_EQ(f.Monitorcza1.Caption, QStringLiteral("&Monitor łącza"));
  EXPECT_TRUE(f.Monitorcza1.Enabled);
  EXPECT_EQ(f.FindControl(QStringLiteral("LinkMonitorDock")), &f.LinkMonitorDock);
  EXPECT_FALSE(f.LinkMonitorDock.Visible);
  EXPECT_EQ(f.MonitorClearButton.Caption, QStringLiteral("Wyczyść"));
  EXPECT_EQ(f.MonitorSaveButton.Caption, QStringLiteral("Zapisz…"));
  EXPECT_EQ(f.Mdb1.Observer(), nullptr);
}

// Open, it is told of every frame and counts; closed, the link reports to
// nobody; opened again, it counts from nothing.
TEST_F(LinkMonitorTest, ItWatchesOnlyWhileOpen) {
  f.Monitorcza1Click();
  EXPECT_TRUE(f.LinkMonitorDock.Visible);
  EXPECT_EQ(f.Mdb1.Observer(), &f.Monitor);
  f.ConnectClick();
  ASSERT_TRUE(f.ControllerFound());
  const QStringList rows = RowLines();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_TRUE(rows[0].startsWith(QStringLiteral("10:20:30.000  TX         1        3      801             120  "
                                                "zapytanie, próba 1 z 3 | 01 03 03 20 00 78 44 66")))
      << rows[0].toStdString();
  EXPECT_TRUE(rows[1].startsWith(QStringLiteral("10:20:30.000  RX         1        3      801             120  "
                                                "odpowiedź poprawna, ")))
      << rows[1].toStdString();
  EXPECT_EQ(f.Monitor.Counters().Requests, 1u);
  EXPECT_EQ(f.Monitor.Counters().Replies, 1u);

  f.LinkMonitorDockClose();
  EXPECT_FALSE(f.LinkMonitorDock.Visible);
  EXPECT_EQ(f.Mdb1.Observer(), nullptr);
  f.Timer1Timer();  // the clock is asked
  EXPECT_EQ(w.line->Requests.size(), 2u);
  EXPECT_EQ(f.Monitor.Rows().size(), 2u);

  w.ui.Clock = w.ui.Clock.addSecs(60);
  f.Monitorcza1Click();
  EXPECT_TRUE(f.Monitor.Rows().empty());
  EXPECT_EQ(f.Monitor.Counters().Requests, 0u);
  EXPECT_EQ(f.Monitor.Since(), w.ui.Clock);
  // Chosen again while open, it stays as it is.
  f.Timer1Timer();
  f.Monitorcza1Click();
  EXPECT_EQ(f.Monitor.Rows().size(), 2u);
}

// The exception's row names its code in both languages; the counters and
// the refused transaction's result follow.
TEST_F(LinkMonitorTest, AnExceptionIsShownWithItsName) {
  f.ConnectClick();
  w.line->Exceptions[1230] = 2;
  f.Monitorcza1Click();
  f.Button6Click();
  const QStringList rows = RowLines();
  ASSERT_EQ(rows.size(), 3);
  EXPECT_TRUE(rows[1].contains(QStringLiteral(
      "RX         1      131     1230                  wyjątek 2: niedozwolony adres danych (Illegal Data Address), ")))
      << rows[1].toStdString();
  EXPECT_TRUE(rows[1].endsWith(QStringLiteral(" | 01 83 02 C0 F1"))) << rows[1].toStdString();
  EXPECT_TRUE(rows[2].endsWith(QStringLiteral("--         1        3     1230               1  wynik: odpowiedź odrzucona")))
      << rows[2].toStdString();
  const LinkCounters& c = f.Monitor.Counters();
  EXPECT_EQ(c.Exceptions, 1u);
  EXPECT_EQ(c.Requests, 1u);
  EXPECT_EQ(c.TimeOuts + c.CrcErrors + c.OtherErrors + c.Retries, 0u);
}

// The box of an operation the controller refused with an exception names
// the exception on its second line, whether the monitor is open or not.
TEST_F(LinkMonitorTest, TheBoxOfARefusedOperationNamesTheException) {
  const QString exception2 = QStringLiteral("Urządzenie odpowiedziało wyjątkiem 2: niedozwolony adres danych.");
  struct Case {
    const char* name;
    std::uint16_t reg;
    std::uint8_t code;
    void (TForm1::*handler)();
    bool connected;
    QString message;
  };
  const Case cases[] = {
      {"connection", 801, 2, &TForm1::ConnectClick, false,
       QStringLiteral("Nie znaleziono urządzenia\n") + exception2},
      {"settings read", 850, 2, &TForm1::N1Click, true, QStringLiteral("Brak komunikacji z urządzeniem\n") + exception2},
      {"test schedule", 1231, 3, &TForm1::Button6Click, true,
       QStringLiteral("Brak komunikacji z urządzeniem\nUrządzenie odpowiedziało wyjątkiem 3: niedozwolona wartość "
                      "danych.")},
      {"settings write", 905, 4, &TForm1::WLTPC1Click, true,
       QStringLiteral("Nie znaleziono urządzenia\nUrządzenie odpowiedziało wyjątkiem 4: awaria urządzenia "
                      "podrzędnego.\n") +
           SettingsTexts::PartlyWritten.arg(4).arg(28).arg(QStringLiteral("901-904"))},
      {"an unknown code", 1230, 0x41, &TForm1::Button6Click, true,
       QStringLiteral("Brak komunikacji z urządzeniem\nUrządzenie odpowiedziało wyjątkiem 65: nieznany kod wyjątku.")},
      // No exception: the box keeps its one line.
      {"silent", 0, 0, &TForm1::N1Click, true, QStringLiteral("Brak komunikacji z urządzeniem")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow window;
    window.form.InitSettingsCatalogue();
    if (c.connected) {
      window.form.ConnectClick();
      ASSERT_TRUE(window.form.ControllerFound());
      window.form.ImageToGrid();
    }
    if (c.reg != 0) window.line->Exceptions[c.reg] = c.code;
    else window.line->Answers = false;
    window.ui.ClearRecords();
    (window.form.*c.handler)();
    EXPECT_EQ(window.ui.Messages, QStringList{c.message});
  }
}

// A settings write refused before anything is sent names no exception,
// even when the connection attempt before it got one.
TEST_F(LinkMonitorTest, AWriteWithoutControllerNamesNoEarlierException) {
  w.line->Exceptions[801] = 2;
  f.ConnectClick();
  ASSERT_FALSE(f.ControllerFound());
  w.ui.ClearRecords();
  f.WLTPC1Click();
  EXPECT_EQ(w.ui.Messages, QStringList{QStringLiteral("Brak komunikacji z urządzeniem")});
}

// The last 10,000 rows stay; the oldest go, counted; clearing forgets the
// rows and the counters, while the numbering goes on for a view.
TEST_F(LinkMonitorTest, ItKeepsTheLastTenThousandRows) {
  LinkMonitor& m = f.Monitor;
  for (unsigned i = 1; i <= LinkMonitor::kMaxRows + 5; ++i) m.OnLinkEvent(Sent(i));
  EXPECT_EQ(m.Rows().size(), LinkMonitor::kMaxRows);
  EXPECT_EQ(m.FirstRow(), 5u);
  EXPECT_EQ(m.EndRow(), LinkMonitor::kMaxRows + 5);
  EXPECT_EQ(m.Dropped(), 5u);
  EXPECT_EQ(m.Rows().front().Outcome, "zapytanie, próba 6 z 3");
  EXPECT_EQ(m.Counters().Requests, LinkMonitor::kMaxRows + 5);
  f.MonitorClearButtonClick();
  EXPECT_TRUE(m.Rows().empty());
  EXPECT_EQ(m.FirstRow(), m.EndRow());
  EXPECT_EQ(m.EndRow(), LinkMonitor::kMaxRows + 5);
  EXPECT_EQ(m.Dropped(), 0u);
  EXPECT_EQ(m.Counters().Requests, 0u);
}

TEST_F(LinkMonitorTest, CountersAndReplyTimes) {
  LinkMonitor& m = f.Monitor;
  EXPECT_EQ(m.ReplyTimesText(), QStringLiteral("Czas odpowiedzi: ostatni – ms, średni – ms, najdłuższy – ms"));
  static const std::uint8_t reply[7] = {1, 3, 2, 0, 7, 0xF9, 0x86};
  const auto replied = [](ReplyVerdict verdict, std::uint32_t us) {
    LinkEvent e = Sent(1);
    e.What = LinkEvent::Kind::ReplyReceived;
    e.Reply = reply;
    e.ReplyLength = 7;
    e.Verdict = verdict;
    e.ElapsedUs = us;
    return e;
  };
  const auto failed = [](ReplyVerdict verdict) {
    LinkEvent e = Sent(1);
    e.What = LinkEvent::Kind::TryFailed;
    e.Verdict = verdict;
    return e;
  };
  LinkEvent late;
  late.What = LinkEvent::Kind::LateReplyDiscarded;
  late.Discarded = 7;
  const LinkEvent events[] = {Sent(1), failed(ReplyVerdict::NoReply), late, Sent(2),
                              replied(ReplyVerdict::BadCrc, 99000), failed(ReplyVerdict::BadCrc), Sent(3),
                              replied(ReplyVerdict::Accepted, 12400), Sent(1), replied(ReplyVerdict::OtherSlave, 9600),
                              failed(ReplyVerdict::OtherSlave), Sent(1), replied(ReplyVerdict::Exception, 11000),
                              failed(ReplyVerdict::Exception)};
  for (const LinkEvent& e : events) m.OnLinkEvent(e);
  EXPECT_EQ(m.CountersText(), QStringLiteral("Zapytania: 5   Odpowiedzi: 4   Brak odpowiedzi: 1   Błędy CRC: 1   "
                                             "Wyjątki: 1   Inne błędne: 1   Spóźnione odrzucone: 1   Powtórzenia: 2"));
  // The corrupted reply is no reply time: 12.4, 9.6 and 11 ms.
  EXPECT_EQ(m.ReplyTimesText(), QStringLiteral("Czas odpowiedzi: ostatni 11 ms, średni 11 ms, najdłuższy 12 ms"));
}

// "Zapisz…": the heading, the counters and the rows as a Windows-1250 text
// file with CR LF; a name without an extension gets ".txt".
TEST_F(LinkMonitorTest, SaveWritesTheRowsAndCounters) {
  f.ConnectClick();
  f.FactoryNumber = 12;  // as start-up takes it from register 898
  f.Monitorcza1Click();
  f.Timer1Timer();
  w.ui.Clock = w.ui.Clock.addSecs(5);
  w.ui.SaveAnswers.push_back(QDir(folder.Path()).filePath(QStringLiteral("lacze")));
  f.MonitorSaveButtonClick();
  EXPECT_EQ(w.ui.DialogFileNames, QStringList{QStringLiteral("WLT_monitor_012")});
  EXPECT_EQ(f.StatusBar1.Panels[1].Text, QStringLiteral(" Zapisano monitor łącza"));
  const QString path = QDir(folder.Path()).filePath(QStringLiteral("lacze.txt"));
  QStringList lines;
  ASSERT_TRUE(TextFile::ReadLines(path, lines));
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines.mid(0, 4), QStringList({QStringLiteral("Monitor łącza WLT nastawy"),
                                          QStringLiteral("Zapisano: 2026-12-08 10:20:35"),
                                          QStringLiteral("Od: 2026-12-08 10:20:30"), f.Monitor.CountersText()}));
  EXPECT_EQ(lines[5], QString());
  EXPECT_EQ(lines[6], QString::fromStdString(LinkRows::HeaderLine()));
  EXPECT_EQ(lines.mid(7), RowLines());
  EXPECT_EQ(lines.size(), 7 + int(f.Monitor.Rows().size()));
  QFile raw(path);
  ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
  const QByteArray bytes = raw.readAll();
  EXPECT_TRUE(bytes.startsWith(QByteArray("Monitor \xB3\xB9" "cza WLT nastawy\r\n")));
}

TEST_F(LinkMonitorTest, ASaveThatFailsSaysWhere) {
  f.Monitorcza1Click();
  const QString path = QDir(folder.Path()).filePath(QStringLiteral("brak/lacze.txt"));
  w.ui.SaveAnswers.push_back(path);
  f.MonitorSaveButtonClick();
  EXPECT_EQ(f.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd zapisu"));
  EXPECT_EQ(w.ui.Beeps, 1);
  EXPECT_EQ(w.ui.Messages,
            QStringList{QStringLiteral("Błąd zapisu\nNie można zapisać pliku %1.").arg(QDir::toNativeSeparators(path))});
  // Cancelled, nothing happens.
  w.ui.ClearRecords();
  f.MonitorSaveButtonClick();
  EXPECT_EQ(w.ui.Log, QStringList{QStringLiteral("save:Text files (*.txt)|*.TXT")});
}

}  // namespace
