#pragma once
// The link monitor's contents: one row per link event (the rows of
// mdbcomp/LinkRows, timed by the window's PC clock), the last kMaxRows of
// them, and the counters since it was opened or cleared. It observes Mdb1
// only while its window is open. Appending is cheap: the rows carry
// sequence numbers, so a view adds what is new and drops what was dropped
// without rebuilding anything.

#include "mdbcomp/LinkObserver.h"
#include "mdbcomp/LinkRows.h"
#include "monitor/LinkCounters.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>

class LinkMonitor : public LinkObserver {
 public:
  static constexpr std::size_t kMaxRows = 10000;
  using Clock = std::function<QDateTime()>;

  // The clock that times the rows (the window's PC clock).
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  void OnLinkEvent(const LinkEvent& event) override;

  // Forgets the rows and the counters; counting starts again now.
  void Clear();

  // The rows kept, oldest first. Row i has the sequence number FirstRow() + i;
  // EndRow() is the number the next row will get.
  const std::deque<LinkRow>& Rows() const { return rows_; }
  std::uint64_t FirstRow() const { return endRow_ - rows_.size(); }
  std::uint64_t EndRow() const { return endRow_; }
  const LinkCounters& Counters() const { return counters_; }
  QDateTime Since() const { return since_; }
  // Rows dropped to keep the last kMaxRows, since the last Clear.
  std::uint64_t Dropped() const { return dropped_; }

  // The counters and the reply times as the window shows them.
  QString CountersText() const;
  QString ReplyTimesText() const;

  // The whole saved file: heading, when saved (savedAt) and since when
  // counted, the counters, then the column names and every row kept.
  QStringList FileLines(const QDateTime& savedAt) const;

 private:
  QDateTime Now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

  Clock clock_;
  std::deque<LinkRow> rows_;
  std::uint64_t endRow_ = 0;
  std::uint64_t dropped_ = 0;
  LinkCounters counters_;
  QDateTime since_;
};
