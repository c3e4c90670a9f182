// The event list as text: the header, a block per record from event 40 down
// to event 1 and the closing rule, compared with literal lines.

#include "EventTestSupport.h"
#include "events/EventListLines.h"

#include <gtest/gtest.h>

namespace {

using namespace EventListLines;
using eventtest::MakeRecord;

const QString kRule = QString(85, QLatin1Char('-'));

Header SampleHeader() {
  return {QStringLiteral("WLT"),      QStringLiteral("7"),        QStringLiteral("2019"),
          QStringLiteral("26-12-08"), QStringLiteral("10:20:29"), QStringLiteral("2026-12-08"),
          QStringLiteral("10:20:30")};
}

EventRecord::CauseTexts NumberedTexts() {
  EventRecord::CauseTexts texts;
  for (int c = 0; c < EventRecord::kCauses; ++c) texts[std::size_t(c)] = QStringLiteral("tekst %1").arg(c + 1);
  return texts;
}

TEST(EventListHeader, NineLinesAsTheyStand) {
  const QStringList expected = {
      QStringLiteral("                           WLT - nastawy : Rejestracja zdarzeń"),
      kRule,
      QStringLiteral("WLT nr fabr 7 / 2019"),
      QStringLiteral("Zdarzenia odczytano:"),
      QStringLiteral("                           WLT: 26-12-08  10:20:29"),
      QStringLiteral("                           PC:  2026-12-08  10:20:30"),
      QString(),
      QStringLiteral("Nr   Data       Czas        Zdarzenie"),
      kRule,
  };
  EXPECT_EQ(HeaderLines(SampleHeader()), expected);
  EXPECT_EQ(expected.size(), kHeaderLines);
  EXPECT_EQ(expected[0].indexOf(QStringLiteral("WLT")), 27);
  // Empty stamps (a clock read that failed) keep their blanks.
  Header empty = SampleHeader();
  empty.wltDate.clear();
  empty.wltTime.clear();
  EXPECT_EQ(HeaderLines(empty)[4], QStringLiteral("                           WLT:   "));
}

TEST(EventListBlocks, OneLinePerSetCauseWithTheSamePrefix) {
  const auto texts = NumberedTexts();
  const auto record = MakeRecord(0x0324, 0x0815, 0x5905, {17, 2});
  EXPECT_EQ(EventPrefix(6, record), QStringLiteral("07   24-03-15   08:05:59"));
  EXPECT_EQ(EventPrefix(6, record).size(), 24);
  EXPECT_EQ(RecordBlock(6, record, texts),
            (QStringList{QStringLiteral("07   24-03-15   08:05:59    02:  tekst 2"),
                         QStringLiteral("07   24-03-15   08:05:59    17:  tekst 17")}));
  // Causes 1 and 64, and an empty text.
  EventRecord::CauseTexts sparse;
  sparse[0] = QStringLiteral("Zanik napięcia sieci");
  EXPECT_EQ(RecordBlock(39, MakeRecord(0x1299, 0x2331, 0x5959, {1, 64}), sparse),
            (QStringList{QStringLiteral("40   99-12-31   23:59:59    01:  Zanik napięcia sieci"),
                         QStringLiteral("40   99-12-31   23:59:59    64:  ")}));
  // Without causes: one line, whatever the states say.
  EXPECT_EQ(RecordBlock(0, MakeRecord(0x0324, 0x0815, 0x5905, {}, {{1, 0xFFFF}}), texts),
            QStringList{QStringLiteral("01   24-03-15   08:05:59    Nie ma żadnej informacji")});
  // An erased record: every cause, the long date and time.
  EventRecord::Record erased;
  erased.fill(0xFFFF);
  const QStringList block = RecordBlock(4, erased, texts);
  ASSERT_EQ(block.size(), 64);
  EXPECT_EQ(block[0], QStringLiteral("05   1515-1515-1515   1515:1515:1515    01:  tekst 1"));
  EXPECT_EQ(block[63], QStringLiteral("05   1515-1515-1515   1515:1515:1515    64:  tekst 64"));
}

TEST(EventListWhole, FortyEmptyRecordsGiveFiftyLines) {
  const EventRecord::Table table{};
  const QStringList lines = Lines(SampleHeader(), table, NumberedTexts());
  ASSERT_EQ(lines.size(), 50);
  EXPECT_EQ(lines.mid(0, 9), HeaderLines(SampleHeader()));
  for (int i = 9; i < 49; ++i) {
    const int event = 40 - (i - 9);
    EXPECT_EQ(lines[i], EventRecord::TwoDigits(event) +
                            QStringLiteral("   00-00-00   00:00:00    Nie ma żadnej informacji"))
        << i;
  }
  EXPECT_TRUE(lines[9].startsWith(QStringLiteral("40 ")));
  EXPECT_TRUE(lines[48].startsWith(QStringLiteral("01 ")));
  EXPECT_EQ(lines[49], kRule);
}

}  // namespace
