#include "events/EventCsv.h"

#include "events/EventCsvTexts.h"

namespace EventCsv {

QStringList HeaderFields(const Texts& texts) {
  QStringList fields = {EventCsvTexts::Number, EventCsvTexts::Date, EventCsvTexts::Time,
                        EventCsvTexts::Causes};
  for (int s = 1; s <= EventRecord::kStates; ++s) {
    const QString caption = texts.labels[std::size_t(s)].trimmed();
    fields << (caption.isEmpty() ? EventCsvTexts::UnnamedState.arg(s) : caption);
  }
  return fields;
}

QStringList RecordFields(int index, const EventRecord::Record& record, const Texts& texts) {
  QStringList causes;
  const EventRecord::CauseFlags flags = EventRecord::DecodeCauses(record);
  for (int c = 0; c < EventRecord::kCauses; ++c)
    if (flags[std::size_t(c)]) causes << EventRecord::CauseLine(c, texts.causes[std::size_t(c)]);
  QStringList fields = {QString::number(index + 1), EventRecord::FormatRecordDate(record[0], record[1]),
                        EventRecord::FormatRecordTime(record[1], record[2]), causes.join(QLatin1Char('\n'))};
  for (int s = 0; s < EventRecord::kStates; ++s)
    fields << (EventRecord::StateBit(record, s) ? QStringLiteral("1") : QStringLiteral("0"));
  return fields;
}

QString Field(const QString& text) {
  QString field = text;
  if (!field.isEmpty() && QStringLiteral("=+-@").contains(field.front())) field.prepend(QLatin1Char('\''));
  const bool quote = field.contains(kSeparator) || field.contains(QLatin1Char('"')) ||
                     field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
                     (!field.isEmpty() && (field.front().isSpace() || field.back().isSpace()));
  if (!quote) return field;
  field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + field + QLatin1Char('"');
}

QString Table(const EventRecord::Table& table, const Texts& texts) {
  const auto row = [](const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields) quoted << Field(field);
    return quoted.join(kSeparator) + QStringLiteral("\r\n");
  };
  QString text = row(HeaderFields(texts));
  for (int k = 0; k < EventRecord::kRecords; ++k) text += row(RecordFields(k, table[std::size_t(k)], texts));
  return text;
}

}  // namespace EventCsv
