#pragma once
// The window's pictures, drawn rather than loaded: the logo of the header,
// the thin rounded bar under the header and the picture of the controller on
// the first page.

#include <QWidget>

class LogoWidget : public QWidget {
 public:
  explicit LogoWidget(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {48, 48}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class RoundedBar : public QWidget {
 public:
  explicit RoundedBar(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {100, 6}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class DevicePicture : public QWidget {
 public:
  explicit DevicePicture(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {360, 260}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
};
