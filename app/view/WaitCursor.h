#pragma once
// The wait cursor of the window's handlers, kept on QApplication's override
// stack and counted, so a modal box can take the window's own wait cursors
// down while the user works in it and put them back afterwards.

#include <QApplication>
#include <QCursor>

// One wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(int& count) : count_(count) { Push(count_); }
  ~WaitCursor() { Pop(count_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  static void Push(int& count) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++count;
  }
  static void Pop(int& count) {
    if (count <= 0) return;
    QApplication::restoreOverrideCursor();
    --count;
  }

 private:
  int& count_;
};

// The normal cursor while a modal box or dialog is up.
class ModalPause {
 public:
  explicit ModalPause(int& count) : count_(count), paused_(count) {
    for (int i = 0; i < paused_; ++i) WaitCursor::Pop(count_);
  }
  ~ModalPause() {
    for (int i = 0; i < paused_; ++i) WaitCursor::Push(count_);
  }
  ModalPause(const ModalPause&) = delete;
  ModalPause& operator=(const ModalPause&) = delete;

 private:
  int& count_;
  const int paused_;
};
