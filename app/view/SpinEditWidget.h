#pragma once
// A spin edit as the window's controls know it: free text (the handler
// decides what an out-of-range or empty text means) with up and down
// arrows. It only reports what the user did; the window writes it into the
// state and renders the state back.

#include <QWidget>

class QLineEdit;
class QToolButton;

class SpinEditWidget : public QWidget {
  Q_OBJECT
 public:
  explicit SpinEditWidget(QWidget* parent = nullptr);

  QString text() const;
  // Shows a text without reporting it (rendering).
  void setText(const QString& text);
  void setReadOnly(bool readOnly);
  QLineEdit* lineEdit() const { return edit_; }

 signals:
  // The user typed: the whole new text.
  void textEdited(const QString& text);
  // The user pressed an arrow (button or key): +1 or -1.
  void stepped(int delta);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
};
