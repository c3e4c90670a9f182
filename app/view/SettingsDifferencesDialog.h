#pragma once
// The compare's table: each setting in which the window and the controller
// differ, by register (REG or REG.BIT), name, the window's value and the
// controller's, in the grid's units. "Zapis nastaw do WLT" closes it with
// Accepted, so the handler goes on to the write; "Zamknij" with Rejected.

#include "settings/SettingsDiff.h"

#include <QDialog>

#include <vector>

class QTableWidget;

class SettingsDifferencesDialog : public QDialog {
  Q_OBJECT
 public:
  SettingsDifferencesDialog(const std::vector<SettingsDiff::Change>& differences, QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};
