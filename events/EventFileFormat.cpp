#include "events/EventFileFormat.h"

#include "events/EventTexts.h"
#include "files/SettingsFileNames.h"

#include <QStringView>

#include <vector>

namespace EventFileFormat {
namespace {

const QString kStampGap = QStringLiteral("  ");
const QString kFactoryMark = QStringLiteral("nr fabr");
constexpr qsizetype kFactoryMarkField = 8;  // "nr fabr " before the number
constexpr int kWordsWidth = kWordColumns * kWordWidth;
// A stamp text without the two blanks is taken at fixed places: 8
// characters each, the time 10 characters behind the start of the date.
constexpr qsizetype kFixedStampLength = 8;
constexpr qsizetype kFixedTimeOffset = 10;

QString RightAligned(const QString& text, int width) { return text.rightJustified(width, QLatin1Char(' ')); }

QString TrimmedRight(QString text) {
  while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
  return text;
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// A word column: leading blanks, then decimal digits of a 16-bit value.
std::optional<std::uint16_t> WordField(QStringView field) {
  qsizetype i = 0;
  while (i < field.size() && field[i] == QLatin1Char(' ')) ++i;
  if (i == field.size()) return std::nullopt;
  int value = 0;
  for (; i < field.size(); ++i) {
    if (!IsDigit(field[i])) return std::nullopt;
    value = value * 10 + (field[i].unicode() - u'0');
    if (value > 0xFFFF) return std::nullopt;
  }
  return std::uint16_t(value);
}

// The date and time texts write each 4-bit group in decimal on its own, 0
// to 9 as one digit and 10 to 15 as two. The ways a run of digits splits
// into that many groups, two-digit groups first.
using Groups = std::vector<int>;
std::vector<Groups> Splits(QStringView digits, int groups) {
  if (groups == 0) return digits.isEmpty() ? std::vector<Groups>{Groups{}} : std::vector<Groups>{};
  std::vector<Groups> splits;
  if (digits.size() < groups || digits.size() > 2 * groups) return splits;
  const auto extend = [&](int first, qsizetype used) {
    for (Groups& rest : Splits(digits.mid(used), groups - 1)) {
      rest.insert(rest.begin(), first);
      splits.push_back(std::move(rest));
    }
  };
  if (digits.size() >= 2 && digits[0] == QLatin1Char('1') && digits[1] <= QLatin1Char('5'))
    extend(10 + (digits[1].unicode() - u'0'), 2);
  extend(digits[0].unicode() - u'0', 1);
  return splits;
}

// Reads the text at pos as a run of digits; empty when there is none.
QStringView DigitRun(QStringView text, qsizetype& pos) {
  const qsizetype start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.mid(start, pos - start);
}

bool Expect(QStringView text, qsizetype& pos, QChar c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

void SkipBlanks(QStringView text, qsizetype& pos) {
  while (pos < text.size() && text[pos] == QLatin1Char(' ')) ++pos;
}

std::uint16_t Word(const Groups& low, const Groups& high) {
  return std::uint16_t(high[0] << 12 | high[1] << 8 | low[0] << 4 | low[1]);
}

QString DateAndTimeFields(const EventRecord::Record& r) {
  return RightAligned(EventRecord::FormatRecordDate(r[0], r[1]), kStampWidth) +
         RightAligned(EventRecord::FormatRecordTime(r[1], r[2]), kStampWidth);
}

// The date and time fields between the event number and the first word
// column: "yy-mm-dd" and "gg:mm:ss", each right-aligned in 9 characters.
// Each pair of digits is a byte of the record, tens group high: year and
// month in word 0, day and hour in word 1, minute and second in word 2. A
// date or time with a group above 9 is wider than its field and loses the
// blank in front; the day and the hour then run together. Of the ways the
// digits split into groups, the first that the writer would have written
// as this very text is taken.
bool ReadDateAndTime(QStringView text, EventRecord::Record& record) {
  qsizetype pos = 0;
  SkipBlanks(text, pos);
  const QStringView year = DigitRun(text, pos);
  if (!Expect(text, pos, QLatin1Char('-'))) return false;
  const QStringView month = DigitRun(text, pos);
  if (!Expect(text, pos, QLatin1Char('-'))) return false;
  const QStringView dayRun = DigitRun(text, pos);
  const bool together = pos < text.size() && text[pos] == QLatin1Char(':');
  SkipBlanks(text, pos);
  const QStringView hourRun = together ? QStringView() : DigitRun(text, pos);
  if (!Expect(text, pos, QLatin1Char(':'))) return false;
  const QStringView minute = DigitRun(text, pos);
  if (!Expect(text, pos, QLatin1Char(':'))) return false;
  const QStringView second = DigitRun(text, pos);
  if (pos != text.size()) return false;

  // Day and hour as four groups, whether they ran together or not.
  std::vector<Groups> dayHours;
  if (together) {
    dayHours = Splits(dayRun, 4);
  } else {
    for (const Groups& day : Splits(dayRun, 2))
      for (const Groups& hour : Splits(hourRun, 2)) dayHours.push_back({day[0], day[1], hour[0], hour[1]});
  }
  const std::vector<Groups> years = Splits(year, 2), months = Splits(month, 2);
  const std::vector<Groups> minutes = Splits(minute, 2), seconds = Splits(second, 2);
  EventRecord::Record candidate = record;
  for (const Groups& y : years)
    for (const Groups& mo : months)
      for (const Groups& dh : dayHours)
        for (const Groups& mi : minutes)
          for (const Groups& s : seconds) {
            candidate[0] = Word(y, mo);
            candidate[1] = Word({dh[0], dh[1]}, {dh[2], dh[3]});
            candidate[2] = Word(mi, s);
            if (DateAndTimeFields(candidate) != text) continue;
            record = candidate;
            return true;
          }
  return false;
}

// Line 3: "<type> nr fabr <number> / <year>". The number stands between
// "nr fabr " and the blank before the first "/"; the year is what follows
// " / ", without trailing blanks.
bool ReadIdentity(const QString& line, Readout& readout) {
  const qsizetype p = line.indexOf(kFactoryMark);
  const qsizetype q = line.indexOf(QLatin1Char('/'));
  if (p < 0 || q < p + kFactoryMarkField + 1) return false;
  readout.factoryNumber = line.mid(p + kFactoryMarkField, q - p - kFactoryMarkField - 1);
  readout.productionYear = TrimmedRight(line.mid(q + 2));
  return true;
}

// Lines 5 and 6: the stamps stand behind the first ":" and the blanks the
// label puts behind it (none for "WLT:", one for "PC: ").
bool ReadStamp(const QString& line, qsizetype blanksBehindColon, QString& date, QString& time) {
  const qsizetype colon = line.indexOf(QLatin1Char(':'));
  if (colon < 0) return false;
  const Stamp stamp = SplitStamp(line.mid(colon + 1 + blanksBehindColon));
  date = stamp.date;
  time = stamp.time;
  return true;
}

}  // namespace

QString FileName(const QString& chosenPath) {
  return SettingsFileNames::SiblingWithExtension(chosenPath, QStringLiteral(".dat"));
}

QString Rule() { return QString(kRuleWidth, QLatin1Char('-')); }

QString RecordLine(int index, const EventRecord::Record& r) {
  QString line = RightAligned(QString::number(index + 1), kNumberWidth) + DateAndTimeFields(r);
  for (int i = EventRecord::kFirstCauseWord; i < EventRecord::kRecordWords; ++i)
    line += RightAligned(QString::number(r[std::size_t(i)]), kWordWidth);
  return line;
}

QStringList Lines(const Header& h, const EventRecord::Table& table) {
  QStringList lines{
      EventTexts::FileTitle,
      Rule(),
      EventListLines::IdentityLine(h),
      EventTexts::ListReadAt,
      EventTexts::FileWltStamp + h.wltDate + kStampGap + h.wltTime,
      EventTexts::FilePcStamp + h.pcDate + kStampGap + h.pcTime,
      QString(),
      EventTexts::FileColumns,
      Rule(),
  };
  for (int k = 0; k < EventRecord::kRecords; ++k) lines << RecordLine(k, table[std::size_t(k)]);
  lines << Rule();
  return lines;
}

Stamp SplitStamp(const QString& text) {
  const qsizetype gap = text.indexOf(kStampGap);
  if (gap < 0) return {text.left(kFixedStampLength), text.mid(kFixedTimeOffset, kFixedStampLength)};
  return {text.left(gap), text.mid(gap + kStampGap.size())};
}

std::optional<EventRecord::Record> ParseRecordLine(const QString& line) {
  const QString text = TrimmedRight(line);
  if (text.size() < kNumberWidth + kWordsWidth) return std::nullopt;
  EventRecord::Record record{};
  // The words from the end: a wide date or time cannot move them.
  const qsizetype wordsAt = text.size() - kWordsWidth;
  const QStringView view(text);
  for (int m = 0; m < kWordColumns; ++m) {
    const std::optional<std::uint16_t> word = WordField(view.mid(wordsAt + m * kWordWidth, kWordWidth));
    if (!word) return std::nullopt;
    record[std::size_t(EventRecord::kFirstCauseWord + m)] = *word;
  }
  // The event number is not read: records are taken in file order.
  if (!ReadDateAndTime(view.mid(kNumberWidth, wordsAt - kNumberWidth), record)) return std::nullopt;
  return record;
}

std::optional<Readout> Parse(const QStringList& fileLines) {
  constexpr int kIdentityLine = 2, kWltLine = 4, kPcLine = 5;
  if (fileLines.size() <= kPcLine) return std::nullopt;
  Readout readout;
  if (!ReadIdentity(fileLines[kIdentityLine], readout) ||
      !ReadStamp(fileLines[kWltLine], 0, readout.wltDate, readout.wltTime) ||
      !ReadStamp(fileLines[kPcLine], 1, readout.pcDate, readout.pcTime))
    return std::nullopt;
  // Up to 40 record lines, ending early at a dash line; the slots a short
  // block leaves are empty records, never those of an earlier readout.
  for (int k = 0; k < EventRecord::kRecords; ++k) {
    const qsizetype row = kFirstRecordLine + k;
    if (row >= fileLines.size() || fileLines[row].contains(kBlockEnd)) break;
    const std::optional<EventRecord::Record> record = ParseRecordLine(fileLines[row]);
    if (!record) return std::nullopt;
    readout.table[std::size_t(k)] = *record;
  }
  return readout;
}

}  // namespace EventFileFormat
