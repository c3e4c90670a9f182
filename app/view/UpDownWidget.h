#pragma once
// The up-down control: two arrow buttons, focusable, stepping with the arrow
// keys while it has the focus. It reports the direction only; the window
// state computes the new position (range and wrap-around) and runs the
// handler.

#include <QWidget>

class QToolButton;

class UpDownWidget : public QWidget {
  Q_OBJECT
 public:
  explicit UpDownWidget(QWidget* parent = nullptr);

 signals:
  void stepped(int delta);  // +1 up, -1 down

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};
