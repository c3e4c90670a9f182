// The event-texts section as pure code: the lines written, what is read back
// and which numbers have an entry.

#include "FilesTestSupport.h"
#include "files/EventTextsSection.h"

#include <gtest/gtest.h>

namespace {

using namespace EventTextsSection;

TEST(EventTextsLines, EventLinesCarryTheirTextAsReadCodeLinesSevenBlanks) {
  Labels labels;
  Causes causes;
  labels[1] = QStringLiteral(" Opis 1");
  labels[3] = QStringLiteral("\tbez odstępu  ");
  labels[160] = QStringLiteral(" Ostatni");
  causes[0] = QStringLiteral("Kod A");
  causes[63] = QStringLiteral("Kod ostatni");
  const QStringList lines = Compose(labels, causes);
  ASSERT_EQ(lines.size(), 1 + 160 + 64);
  EXPECT_EQ(lines[0], QStringLiteral("Zdarzenia:"));
  EXPECT_EQ(lines[1], QStringLiteral("1 Opis 1"));
  EXPECT_EQ(lines[2], QStringLiteral("2"));
  EXPECT_EQ(lines[3], QStringLiteral("3\tbez odstępu  "));
  EXPECT_EQ(lines[160], QStringLiteral("160 Ostatni"));
  EXPECT_EQ(lines[161], QStringLiteral("1001       Kod A"));
  EXPECT_EQ(lines[162], QStringLiteral("1002       "));
  EXPECT_EQ(lines[224], QStringLiteral("1064       Kod ostatni"));

  // Read back: every event line with its rest as written, every code line.
  const Parsed parsed = Parse(QStringList{QStringLiteral("Nastawy:")} + lines);
  ASSERT_TRUE(parsed.ok);
  ASSERT_EQ(parsed.lines.size(), 224u);
  for (int n = 1; n <= kEvents; ++n) {
    EXPECT_EQ(parsed.lines[std::size_t(n - 1)].number, n);
    EXPECT_EQ(parsed.lines[std::size_t(n - 1)].rest, labels[std::size_t(n)]) << n;
  }
  for (int c = 0; c < kCauses; ++c) {
    const auto& line = parsed.lines[std::size_t(kEvents + c)];
    EXPECT_EQ(line.number, kFirstCode + c);
    EXPECT_EQ(CauseText(line.rest), causes[std::size_t(c)]);
  }
}

TEST(EventTextsReading, NumbersWithoutAnEntryAreLeftOut) {
  const Parsed parsed = Parse({QStringLiteral("Zdarzenia:"), QStringLiteral("0 zero"), QStringLiteral("-4 minus"),
                               QStringLiteral("1 jeden"), QStringLiteral("160 ostatnie"), QStringLiteral("161 poza"),
                               QStringLiteral("999 poza"), QStringLiteral("1000 poza"), QStringLiteral("1001 a"),
                               QStringLiteral("1064 b"), QStringLiteral("1065 poza"), QString()});
  ASSERT_TRUE(parsed.ok);
  std::vector<int> numbers;
  for (const auto& line : parsed.lines) numbers.push_back(line.number);
  EXPECT_EQ(numbers, (std::vector<int>{1, 160, 1001, 1064}));
}

TEST(EventTextsReading, MissingHeadingAndUnreadableNumbers) {
  EXPECT_FALSE(Parse({QStringLiteral("1 Opis")}).ok);
  EXPECT_FALSE(Parse({QStringLiteral("Zdarzenia: "), QStringLiteral("1 Opis")}).ok);
  EXPECT_FALSE(Parse({QStringLiteral("1 Opis"), QStringLiteral("Zdarzenia:")}).ok);
  // Text after the section ends the pass at that line; the lines before stay.
  const Parsed parsed = Parse({QStringLiteral("Zdarzenia:"), QStringLiteral("1 Opis 1"), QStringLiteral("Uwagi: brak"),
                               QStringLiteral("2 Opis 2")});
  EXPECT_FALSE(parsed.ok);
  ASSERT_EQ(parsed.lines.size(), 1u);
  EXPECT_EQ(parsed.lines[0].rest, QStringLiteral(" Opis 1"));
}

TEST(EventTextsReading, IndicatorSeesTwentyCharactersTrimmedCauseTheWholeTextTrimmed) {
  EXPECT_EQ(IndicatorCaption(QStringLiteral(" 1234567890123456789XYZ")), QStringLiteral("1234567890123456789"));
  EXPECT_EQ(IndicatorCaption(QStringLiteral("\tOpis\t")), QStringLiteral("Opis"));
  EXPECT_EQ(IndicatorCaption(QStringLiteral("                     za daleko")), QString());
  EXPECT_EQ(IndicatorCaption(QString()), QString());
  EXPECT_EQ(CauseText(QStringLiteral("          Zanik napięcia \t")), QStringLiteral("Zanik napięcia"));
}

}  // namespace
