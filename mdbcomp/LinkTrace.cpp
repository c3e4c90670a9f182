#include "mdbcomp/LinkTrace.h"

#include "mdbcomp/LinkRows.h"

#include <string>

void LinkTrace::OnLinkEvent(const LinkEvent& event) {
  LinkRow row;
  if (!LinkRows::Make(event, row)) return;
  row.Time = LinkRows::LocalTimeNow();
  std::string line;
  if (!headerWritten_) line = LinkRows::HeaderLine() + "\n";
  headerWritten_ = true;
  line += LinkRows::Line(row) + "\n";
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
}
