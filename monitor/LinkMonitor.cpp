#include "monitor/LinkMonitor.h"

#include "monitor/MonitorTexts.h"

namespace {

QString Ms(std::uint32_t us, bool any) {
  return any ? QString::fromStdString(LinkRows::Milliseconds(us)) : MonitorTexts::kNoTime;
}

}  // namespace

void LinkMonitor::OnLinkEvent(const LinkEvent& event) {
  counters_.Count(event);
  LinkRow row;
  if (!LinkRows::Make(event, row)) return;
  row.Time = Now().toString(QStringLiteral("hh:mm:ss.zzz")).toStdString();
  if (rows_.size() == kMaxRows) {
    rows_.pop_front();
    ++dropped_;
  }
  rows_.push_back(std::move(row));
  ++endRow_;
}

void LinkMonitor::Clear() {
  // The sequence goes on, so a view sees every kept row dropped.
  rows_.clear();
  counters_ = LinkCounters{};
  dropped_ = 0;
  since_ = Now();
}

QString LinkMonitor::CountersText() const {
  const LinkCounters& c = counters_;
  return MonitorTexts::kCounters.arg(c.Requests)
      .arg(c.Replies)
      .arg(c.TimeOuts)
      .arg(c.CrcErrors)
      .arg(c.Exceptions)
      .arg(c.OtherErrors)
      .arg(c.LateReplies)
      .arg(c.Retries);
}

QString LinkMonitor::ReplyTimesText() const {
  const bool any = counters_.TimedReplies > 0;
  return MonitorTexts::kReplyTimes.arg(Ms(counters_.LastUs, any), Ms(counters_.MeanUs(), any),
                                       Ms(counters_.WorstUs, any));
}

QStringList LinkMonitor::FileLines(const QDateTime& savedAt) const {
  QStringList lines;
  lines << MonitorTexts::kFileTitle << MonitorTexts::kFileSaved.arg(savedAt.toString(MonitorTexts::kDateTimeFormat))
        << MonitorTexts::kFileSince.arg(since_.toString(MonitorTexts::kDateTimeFormat)) << CountersText()
        << ReplyTimesText();
  if (dropped_ > 0) lines << MonitorTexts::kFileDropped.arg(dropped_);
  lines << QString() << QString::fromStdString(LinkRows::HeaderLine());
  for (const LinkRow& row : rows_) lines << QString::fromStdString(LinkRows::Line(row));
  return lines;
}
