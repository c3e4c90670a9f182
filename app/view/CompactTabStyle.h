#pragma once
// Tabs with less blank beside their captions than the toolkit gives them, so
// the eight page captions fit the window's designed width of 747 pixels in
// one row.

#include <QProxyStyle>

#include <algorithm>

class CompactTabStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    if (metric == PM_TabBarTabHSpace) return std::max(8, value - 6);
    return value;
  }
};
