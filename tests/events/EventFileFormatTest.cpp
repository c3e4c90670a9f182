// The event file's lines as pure code: the literal layout of the header and
// the record lines, record lines read back (also the wide ones of groups
// above 9), the stamp lines, and whole files that read, end early or are
// refused.

#include "EventTestSupport.h"
#include "events/EventFileFormat.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using EventFileFormat::Parse;
using EventFileFormat::ParseRecordLine;
using EventFileFormat::RecordLine;
using eventtest::MakeRecord;
using EventRecord::Record;
using EventRecord::Table;

QString Zeros(int columns) {
  QString text;
  for (int i = 0; i < columns; ++i) text += QStringLiteral("      0");
  return text;
}

const EventFileFormat::Header kHeader{QStringLiteral("WLT"),        QStringLiteral("7"),
                                      QStringLiteral("2019"),       QStringLiteral("24-03-15"),
                                      QStringLiteral("08:05:59"),   QStringLiteral("2026-12-08"),
                                      QStringLiteral("10:20:30")};

TEST(EventFileLines, WorkedRecordIsOneLiteralLine) {
  Record record = MakeRecord(0x0324, 0x0815, 0x5905);
  record[3] = 5;  // R1
  const QString expected = QStringLiteral(
      " 1 24-03-15 08:05:59      5      0      0      0      0      0      0      0      0      0      0      0"
      "      0      0");
  EXPECT_EQ(RecordLine(0, record), expected);
  EXPECT_EQ(expected.size(), 118);
  EXPECT_EQ(ParseRecordLine(expected), record);
}

TEST(EventFileLines, HeaderRecordsAndClosingRule) {
  Table table{};
  for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
  table[39][16] = 65535;  // state word 10 of event 40
  const QStringList lines = EventFileFormat::Lines(kHeader, table);
  ASSERT_EQ(lines.size(), 50);
  const QString rule(121, QLatin1Char('-'));
  const QStringList head = {
      QStringLiteral("                         WLT - nastawy : Rejestracja zdarzeń"),
      rule,
      QStringLiteral("WLT nr fabr 7 / 2019"),
      QStringLiteral("Zdarzenia odczytano:"),
      QStringLiteral("                           WLT:24-03-15  08:05:59"),
      QStringLiteral("                           PC: 2026-12-08  10:20:30"),
      QString(),
      QStringLiteral("Nr     Data      Czas    R1     R2     R3     R4      1      2      3      4      5      6"
                     "      7      8      9     10"),
      rule,
  };
  EXPECT_EQ(lines.mid(0, 9), head);
  EXPECT_EQ(lines[7].size(), 118);
  EXPECT_EQ(lines[9], QStringLiteral(" 1 24-03-01 08:05:00") + Zeros(14));
  EXPECT_EQ(lines[18], QStringLiteral("10 24-03-10 08:05:09") + Zeros(14));
  EXPECT_EQ(lines[48], QStringLiteral("40 24-03-12 08:05:39") + Zeros(13) + QStringLiteral("  65535"));
  for (int row = 9; row < 49; ++row) EXPECT_EQ(lines[row].size(), 118) << row;
  EXPECT_EQ(lines[49], rule);
}

// Record lines as a file may hold them: what reads, and what is no record.
TEST(EventFileLines, RecordLinesReadOrAreRefused) {
  const QString words = QStringLiteral("      5      0      0      0      0      0      0      0      0      0      0"
                                       "      0      0  65535");
  Record worked = MakeRecord(0x0324, 0x0815, 0x5905);
  worked[3] = 5;
  worked[16] = 65535;
  Record erased;
  erased.fill(0xFFFF);
  Record wideTime = MakeRecord(0x0324, 0x0815, 0xA905);  // second "109": the time loses its blank
  wideTime[3] = 5;
  wideTime[16] = 65535;
  struct Case {
    const char* what;
    QString line;
    std::optional<Record> expected;
  };
  const Case cases[] = {
      {"worked", QStringLiteral(" 1 24-03-15 08:05:59") + words, worked},
      {"trailing blanks", QStringLiteral(" 1 24-03-15 08:05:59") + words + QStringLiteral("   "), worked},
      {"number not read", QStringLiteral("xy 24-03-15 08:05:59") + words, worked},
      {"erased", QStringLiteral(" 11515-1515-15151515:1515:1515") + QStringLiteral("  65535").repeated(14), erased},
      {"wide time", QStringLiteral(" 1 24-03-1508:05:109") + words, wideTime},
      {"empty", QString(), std::nullopt},
      {"dash line", QString(121, QLatin1Char('-')), std::nullopt},
      {"short", QStringLiteral(" 1 24-03-15 08:05:59      5"), std::nullopt},
      {"letter in a word", QStringLiteral(" 1 24-03-15 08:05:59") + QString(words).replace(13, 1, 'x'), std::nullopt},
      {"word past 65535", QStringLiteral(" 1 24-03-15 08:05:59      5      0      0      0      0      0      0"
                                         "      0      0      0      0      0      0  65536"), std::nullopt},
      {"negative word", QStringLiteral(" 1 24-03-15 08:05:59") + QString(words).replace(12, 2, "-5"), std::nullopt},
      {"no date marks", QStringLiteral(" 1 24/03/15 08:05:59") + words, std::nullopt},
      {"no time", QStringLiteral(" 1   24-03-15        ") + words, std::nullopt},
      {"group of 16", QStringLiteral(" 1 24-03-16 08:05:59").replace(9, 2, "1616") + words, std::nullopt},
      {"text behind the time", QStringLiteral(" 1 24-03-15 08:05:5x") + words, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRecordLine(c.line), c.expected) << c.what;
}

TEST(EventFileLines, StampsSplitAtTheTwoBlanks) {
  struct Case {
    QString text, date, time;
  };
  const Case cases[] = {
      {QStringLiteral("24-03-15  08:05:59"), QStringLiteral("24-03-15"), QStringLiteral("08:05:59")},
      {QStringLiteral("2026-12-08  10:20:30"), QStringLiteral("2026-12-08"), QStringLiteral("10:20:30")},
      {QStringLiteral("8.12.2026  9:05:07 PM"), QStringLiteral("8.12.2026"), QStringLiteral("9:05:07 PM")},
      {QStringLiteral("24-03-15   9:05:07"), QStringLiteral("24-03-15"), QStringLiteral(" 9:05:07")},
      {QStringLiteral("  "), QString(), QString()},
      {QString(), QString(), QString()},
      // Without the two blanks, the places of 8-character stamps.
      {QStringLiteral("24-03-15 |08:05:59xx"), QStringLiteral("24-03-15"), QStringLiteral("08:05:59")},
  };
  for (const Case& c : cases) {
    const EventFileFormat::Stamp stamp = EventFileFormat::SplitStamp(c.text);
    EXPECT_EQ(stamp.date, c.date) << c.text.toStdString();
    EXPECT_EQ(stamp.time, c.time) << c.text.toStdString();
  }
}

// Every table the writer writes reads back as one that the writer writes
// the same way; tables of valid BCD and of groups 10 to 15 come back word
// for word.
TEST(EventFileLines, WrittenTablesReadBack) {
  std::mt19937 generator(4711u);
  std::uniform_int_distribution<int> word(0, 0xFFFF), digit(0, 9), wide(10, 15);
  const auto groups = [&](auto& pick) {
    return std::uint16_t(pick(generator) << 12 | pick(generator) << 8 | pick(generator) << 4 | pick(generator));
  };
  for (int round = 0; round < 60; ++round) {
    Table table{};
    for (Record& record : table)
      for (std::size_t i = 0; i < record.size(); ++i) record[i] = std::uint16_t(word(generator));
    const std::optional<EventFileFormat::Readout> any = Parse(EventFileFormat::Lines(kHeader, table));
    ASSERT_TRUE(any) << round;
    EXPECT_EQ(EventFileFormat::Lines(kHeader, any->table), EventFileFormat::Lines(kHeader, table)) << round;

    for (auto* pick : {&digit, &wide}) {
      for (Record& record : table)
        for (int i = 0; i < 3; ++i) record[std::size_t(i)] = groups(*pick);
      const std::optional<EventFileFormat::Readout> exact = Parse(EventFileFormat::Lines(kHeader, table));
      ASSERT_TRUE(exact) << round;
      EXPECT_EQ(exact->table, table) << round;
    }
  }
}

TEST(EventFileParse, HeaderFieldsAndRecords) {
  Table table{};
  table[0] = MakeRecord(0x0324, 0x0815, 0x5905, {1, 3});
  table[39].fill(0xFFFF);
  EventFileFormat::Header header = kHeader;
  header.factoryNumber = QStringLiteral("12345");
  header.productionYear = QStringLiteral("65535");  // wider than a year
  header.pcTime = QStringLiteral("10:20:30 AM");
  header.wltDate.clear();  // a readout whose clock read failed
  header.wltTime.clear();
  QStringList lines = EventFileFormat::Lines(header, table);
  lines << QStringLiteral("Zdarzenia:") << QStringLiteral("1 tekst");
  const std::optional<EventFileFormat::Readout> readout = Parse(lines);
  ASSERT_TRUE(readout);
  EXPECT_EQ(readout->factoryNumber, QStringLiteral("12345"));
  EXPECT_EQ(readout->productionYear, QStringLiteral("65535"));
  EXPECT_EQ(readout->wltDate, QString());
  EXPECT_EQ(readout->wltTime, QString());
  EXPECT_EQ(readout->pcDate, QStringLiteral("2026-12-08"));
  EXPECT_EQ(readout->pcTime, QStringLiteral("10:20:30 AM"));
  EXPECT_EQ(readout->table, table);
}

TEST(EventFileParse, BlockEndingEarlyLeavesEmptyRecords) {
  Table table{};
  for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
  QStringList lines = EventFileFormat::Lines(kHeader, table);
  Table expected{};
  for (int k = 0; k < 10; ++k) expected[std::size_t(k)] = table[std::size_t(k)];

  QStringList early = lines.mid(0, 19);  // header and 10 record lines
  early << EventFileFormat::Rule() << QStringLiteral("Zdarzenia:") << QStringLiteral("1");
  std::optional<EventFileFormat::Readout> readout = Parse(early);
  ASSERT_TRUE(readout);
  EXPECT_EQ(readout->table, expected);

  readout = Parse(lines.mid(0, 19));  // the file ends there
  ASSERT_TRUE(readout);
  EXPECT_EQ(readout->table, expected);

  readout = Parse(lines.mid(0, 6));  // no record block at all
  ASSERT_TRUE(readout);
  EXPECT_EQ(readout->table, Table{});
  EXPECT_EQ(readout->pcTime, QStringLiteral("10:20:30"));
}

TEST(EventFileParse, FilesThatGiveNothing) {
  Table table{};
  for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
  const QStringList lines = EventFileFormat::Lines(kHeader, table);
  const auto with = [&lines](int row, const QString& text) {
    QStringList changed = lines;
    changed[row] = text;
    return changed;
  };
  struct Case {
    const char* what;
    QStringList file;
  };
  const Case cases[] = {
      {"empty file", {}},
      {"five lines", lines.mid(0, 5)},
      {"no factory mark", with(2, QStringLiteral("WLT 7 / 2019"))},
      {"no year mark", with(2, QStringLiteral("WLT nr fabr 7"))},
      {"slash before the number", with(2, QStringLiteral("WLT/ nr fabr 7"))},
      {"no colon on the controller's stamp", with(4, QStringLiteral("                           WLT 24-03-15  08.05.59"))},
      {"no colon on the PC's stamp", with(5, QString())},
      {"malformed record 20", with(28, lines[28].left(60))},
      {"malformed record 40", with(48, lines[48] + QStringLiteral("x"))},
  };
  for (const Case& c : cases) EXPECT_FALSE(Parse(c.file)) << c.what;
  // Lines 1, 2, 4 and 7 to 9 are not read.
  QStringList loose = lines;
  for (int row : {0, 1, 3, 6, 7, 8}) loose[row] = QStringLiteral("anything");
  EXPECT_TRUE(Parse(loose));
}

}  // namespace
