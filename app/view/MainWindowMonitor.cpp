// The link monitor in the window: the entry "Monitor łącza" at the end of
// the menu "Komunikacja" and the dock that shows TForm1::Monitor, docked
// under the pages. Closing the dock, by its button or the window's list of
// docks, is the handler LinkMonitorDockClose.

#include "app/view/LinkMonitorDock.h"
#include "app/view/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

void MainWindow::BindLinkMonitor() {
  TForm1& f = *form_;
  auto* dock = new LinkMonitorDock(f.Monitor, this);
  linkMonitorDock_ = dock;
  dock->setObjectName(f.LinkMonitorDock.Name);
  addDockWidget(Qt::BottomDockWidgetArea, dock);
  dock->hide();

  if (auto* menu = menuBar()->findChild<QMenu*>(f.File1.Name)) {
    menu->addSeparator();
    QAction* action = menu->addAction(QString());
    action->setObjectName(f.Monitorcza1.Name);
    connect(action, &QAction::triggered, this, [this] {
      if (!rendering_) RunAfterMenu(&TForm1::Monitorcza1Click);
    });
    const TMenuItem& state = f.Monitorcza1;
    renderers_.push_back([action, &state] {
      if (action->text() != state.Caption) action->setText(state.Caption);
      if (action->isEnabled() != state.Enabled) action->setEnabled(state.Enabled);
      if (action->isVisible() != state.Visible) action->setVisible(state.Visible);
    });
  }

  // Closing a window never waits for a handler that runs (one in a modal
  // box): the monitor then stops watching at once.
  const auto closed = [this] {
    if (rendering_) return;
    if (inHandler_) form_->LinkMonitorDockClose();
    else RunHandler(&TForm1::LinkMonitorDockClose, false);
  };
  connect(dock, &LinkMonitorDock::closedByUser, this, closed);
  connect(dock->toggleViewAction(), &QAction::triggered, this, [this, closed](bool shown) {
    if (rendering_) return;
    if (shown) RunHandler(&TForm1::Monitorcza1Click, false);
    else closed();
  });

  const std::pair<QPushButton*, std::pair<TButton*, Handler>> buttons[] = {
      {dock->ClearButton(), {&f.MonitorClearButton, &TForm1::MonitorClearButtonClick}},
      {dock->SaveButton(), {&f.MonitorSaveButton, &TForm1::MonitorSaveButtonClick}},
  };
  for (const auto& [button, binding] : buttons) {
    const auto [state, handler] = binding;
    BindControl(button, *state);
    connect(button, &QPushButton::clicked, this, [this, handler = handler] {
      if (!rendering_) RunHandler(handler);
    });
    renderers_.push_back([button = button, state = state] {
      if (button->text() != state->Caption) button->setText(state->Caption);
    });
  }

  const TControl& state = f.LinkMonitorDock;
  renderers_.push_back([dock, &state] {
    if (state.Visible && dock->isHidden()) {
      dock->show();
      dock->raise();
    }
    if (!state.Visible && !dock->isHidden()) dock->hide();
    if (state.Visible) dock->Sync();
  });
}
