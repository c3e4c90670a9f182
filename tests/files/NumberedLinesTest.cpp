// The reading rule shared by the section readers: headings, numbered lines,
// trimming and the integer fields.

#include "FilesTestSupport.h"
#include "files/NumberedLines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using NumberedLines::Line;
using NumberedLines::Reader;

struct ReadCase {
  const char* what;
  QStringList lines;
  // The lines read in order; an entry with number -999 stands for an input error.
  std::vector<std::pair<int, QString>> expected;
};

constexpr int kInputError = -999;

TEST(NumberedLineReading, NumbersRestsEndOfFileAndErrors) {
  const QString zeros31(31, QLatin1Char('0'));
  const std::vector<ReadCase> cases = {
      {"box line: the rest keeps the caption's padding",
       {QStringLiteral("801           Tekst 801  1")},
       {{801, QStringLiteral("           Tekst 801  1")}, {0, QString()}}},
      {"blanks, tabs and empty lines before a number are skipped",
       {QString(), QStringLiteral("   "), QStringLiteral(" \t12\tabc "), QString(), QStringLiteral("13")},
       {{12, QStringLiteral("\tabc ")}, {13, QString()}, {0, QString()}}},
      {"a number ending the line leaves an empty rest", {QStringLiteral("2")}, {{2, QString()}}},
      {"a sign is part of the number",
       {QStringLiteral("-5 x"), QStringLiteral("+7")},
       {{-5, QStringLiteral(" x")}, {7, QString()}}},
      {"code line", {QStringLiteral("1001       Kod A")}, {{1001, QStringLiteral("       Kod A")}}},
      {"letters after digits are an input error", {QStringLiteral("12a x")}, {{kInputError, {}}}},
      {"text is an input error", {QStringLiteral("1 a"), QStringLiteral("Koniec")}, {{1, QStringLiteral(" a")}, {kInputError, {}}}},
      {"a number past 32 bits is an input error", {QStringLiteral("99999999999 x")}, {{kInputError, {}}}},
      {"a number of 32 characters", {zeros31 + QStringLiteral("1\tx")}, {{1, QStringLiteral("\tx")}}},
      {"a number of more than 32 characters is an input error",
       {zeros31 + QStringLiteral("12 x")},
       {{kInputError, {}}}},
      {"an empty file ends at once", {}, {{0, QString()}, {0, QString()}}},
  };
  for (const ReadCase& c : cases) {
    Reader reader(c.lines);
    for (const auto& [number, rest] : c.expected) {
      Line line;
      const bool ok = reader.Read(line);
      if (number == kInputError) {
        EXPECT_FALSE(ok) << c.what;
        break;
      }
      ASSERT_TRUE(ok) << c.what;
      EXPECT_EQ(line.number, number) << c.what;
      EXPECT_EQ(line.rest, rest) << c.what;
    }
  }
}

TEST(NumberedLineReading, HeadingsAreWholeExactLinesWithSomethingAfterThem) {
  const QStringList file = {QStringLiteral(" Nastawy:"), QStringLiteral("nastawy:"), QStringLiteral("Nastawy: "),
                            QStringLiteral("Nastawy:"), QStringLiteral("1 x")};
  Reader found(file);
  ASSERT_TRUE(found.FindHeading({QStringLiteral("Nastawy:")}));
  Line line;
  ASSERT_TRUE(found.Read(line));
  EXPECT_EQ(line.number, 1);  // read from the line after the exact heading

  Reader last({QStringLiteral("a"), QStringLiteral("Nastawy:")});
  EXPECT_FALSE(last.FindHeading({QStringLiteral("Nastawy:")}));  // nothing follows it
  Reader missing({QStringLiteral("a"), QStringLiteral(" Nastawy:"), QStringLiteral("b")});
  EXPECT_FALSE(missing.FindHeading({QStringLiteral("Nastawy:")}));

  // Of two headings, whichever comes first.
  Reader either({QStringLiteral("Blokady:"), QStringLiteral("7"), QStringLiteral("Zezwolenia:"), QStringLiteral("8")});
  ASSERT_TRUE(either.FindHeading({QStringLiteral("Zezwolenia:"), QStringLiteral("Blokady:")}));
  ASSERT_TRUE(either.Read(line));
  EXPECT_EQ(line.number, 7);

  // An empty line after the heading counts as something.
  Reader emptyAfter({QStringLiteral("Nastawy:"), QString()});
  EXPECT_TRUE(emptyAfter.FindHeading({QStringLiteral("Nastawy:")}));
}

TEST(NumberedLineReading, TrimmingTakesControlCharactersButNotNoBreakSpaces) {
  EXPECT_EQ(NumberedLines::TrimLeft(QStringLiteral(" \t\x01 ab \t")), QStringLiteral("ab \t"));
  EXPECT_EQ(NumberedLines::Trim(QStringLiteral(" \tab c\t \x7f")), QStringLiteral("ab c"));
  EXPECT_EQ(NumberedLines::Trim(QStringLiteral("\u00a0ab\u00a0")), QStringLiteral("\u00a0ab\u00a0"));
  EXPECT_EQ(NumberedLines::Trim(QStringLiteral(" \t ")), QString());
}

TEST(NumberedLineReading, FieldsConvertWithLeadingBlanksAndSignOnly) {
  const std::vector<std::pair<QString, std::optional<int>>> cases = {
      {QStringLiteral("  1"), 1},          {QStringLiteral("1"), 1},
      {QStringLiteral(" -3"), -3},         {QStringLiteral("+4"), 4},
      {QStringLiteral("007"), 7},          {QStringLiteral("-2147483648"), -2147483647 - 1},
      {QStringLiteral("1 "), std::nullopt}, {QStringLiteral(""), std::nullopt},
      {QStringLiteral("   "), std::nullopt}, {QStringLiteral("1a"), std::nullopt},
      {QStringLiteral("$10"), std::nullopt}, {QStringLiteral("2147483648"), std::nullopt},
      {QStringLiteral("-"), std::nullopt},  {QStringLiteral("1 1"), std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(NumberedLines::FieldToInt(text), expected) << text.toStdString();
}

}  // namespace
