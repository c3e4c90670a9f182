#pragma once
// The window as a view test drives it, shown so that clicks and keys reach
// the widgets, with its start-up steps run (they run once it is on screen).

#include "app/view/MainWindow.h"

#include <QtTest>

#include <memory>

struct ShownWindow {
  std::unique_ptr<MainWindow> window;
  explicit ShownWindow(Ui& modal) : window(std::make_unique<MainWindow>(&modal)) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    if (!QTest::qWaitFor([this] { return window->Created(); }, 20000)) qWarning("FormCreate did not run");
  }
  TForm1& form() { return window->form(); }
  template <typename T>
  T* find(const QString& name) {
    return window->findChild<T*>(name);
  }
};
