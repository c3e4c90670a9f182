#include "events/EventListLines.h"

#include "events/EventTexts.h"

namespace EventListLines {

namespace {

const QString kPrefixGap = QStringLiteral("   ");
const QString kCauseGap = QStringLiteral("    ");
const QString kStampGap = QStringLiteral("  ");

}  // namespace

QString Rule() { return QString(kRuleWidth, QLatin1Char('-')); }

QString IdentityLine(const Header& h) {
  return h.type + EventTexts::ListFactoryNumber + h.factoryNumber + EventTexts::ListYearSeparator +
         h.productionYear;
}

QStringList HeaderLines(const Header& h) {
  return {
      EventTexts::ListTitle,
      Rule(),
      IdentityLine(h),
      EventTexts::ListReadAt,
      EventTexts::ListWltStamp + h.wltDate + kStampGap + h.wltTime,
      EventTexts::ListPcStamp + h.pcDate + kStampGap + h.pcTime,
      QString(),
      EventTexts::ListColumns,
      Rule(),
  };
}

QString EventPrefix(int index, const EventRecord::Record& r) {
  return EventRecord::TwoDigits(index + 1) + kPrefixGap + EventRecord::FormatRecordDate(r[0], r[1]) +
         kPrefixGap + EventRecord::FormatRecordTime(r[1], r[2]);
}

QStringList RecordBlock(int index, const EventRecord::Record& record,
                        const EventRecord::CauseTexts& causeTexts) {
  const QString prefix = EventPrefix(index, record);
  if (!EventRecord::HasCause(record)) return {prefix + EventTexts::ListNoInformation};
  QStringList lines;
  const EventRecord::CauseFlags flags = EventRecord::DecodeCauses(record);
  for (int c = 0; c < EventRecord::kCauses; ++c) {
    if (flags[std::size_t(c)])
      lines << prefix + kCauseGap + EventRecord::CauseLine(c, causeTexts[std::size_t(c)]);
  }
  return lines;
}

QStringList Lines(const Header& header, const EventRecord::Table& table,
                  const EventRecord::CauseTexts& causeTexts) {
  QStringList lines = HeaderLines(header);
  for (int k = EventRecord::kRecords - 1; k >= 0; --k)
    lines << RecordBlock(k, table[std::size_t(k)], causeTexts);
  lines << Rule();
  return lines;
}

}  // namespace EventListLines
