#pragma once
// --trace of the command-line programs: the link's rows written to a stream
// (standard error) as they happen, one line each, flushed at once so that a
// script's log has them even when the program is stopped. The column names
// come first, with the first row.

#include "mdbcomp/LinkObserver.h"

#include <cstdio>

class LinkTrace : public LinkObserver {
 public:
  explicit LinkTrace(std::FILE* out) : out_(out) {}
  void OnLinkEvent(const LinkEvent& event) override;

 private:
  std::FILE* out_;
  bool headerWritten_ = false;
};
