#pragma once
// A virtual X display of its own for a test: Xvfb started on the first free
// display number (it reports the number through a pipe), ended again by the
// destructor. The window under wine draws there; nothing shows on a real
// screen.

#include <string>

class XvfbDisplay {
 public:
  explicit XvfbDisplay(const std::string& xvfb);
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // ":N", or empty when Xvfb did not start (the reason in Error()).
  const std::string& Name() const { return name_; }
  const std::string& Error() const { return error_; }

 private:
  int pid_ = -1;
  std::string name_;
  std::string error_;
};
