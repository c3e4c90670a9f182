#pragma once
// A label and a check box that never cut their text silently: where the
// widget is narrower than its text, the beginning of the text is painted
// with an ellipsis ("Zwłoka agr…"). text() stays the whole text; whoever
// places the widget gives it the whole text as its tooltip.

#include <QCheckBox>
#include <QLabel>

class ElidingLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  // The text as painted.
  QString ShownText() const;
  bool Elided() const { return ShownText() != text(); }
  // A layout may make it narrower than its text: a few letters stay.
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TextRect() const;
};

class ElidingCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;
  QString ShownText() const;
  bool Elided() const { return ShownText() != text(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};
