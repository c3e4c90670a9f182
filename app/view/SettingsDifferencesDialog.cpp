#include "app/view/SettingsDifferencesDialog.h"

#include "app/AppTexts.h"
#include "settings/SettingsTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

SettingsDifferencesDialog::SettingsDifferencesDialog(const std::vector<SettingsDiff::Change>& differences,
                                                     QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("SettingsDifferences"));
  setWindowTitle(AppTexts::kApplicationTitle + QStringLiteral(" - ") + SettingsTexts::CompareTitle);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(SettingsTexts::CompareTitle, this);
  layout->addWidget(heading);

  table_ = new QTableWidget(int(differences.size()), 4, this);
  table_->setObjectName(QStringLiteral("DifferencesTable"));
  table_->setHorizontalHeaderLabels(
      {SettingsTexts::CompareColumns[0], SettingsTexts::CompareColumns[1], SettingsTexts::CompareColumns[2],
       SettingsTexts::CompareColumns[3]});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int row = 0; row < int(differences.size()); ++row) {
    const SettingsDiff::Change& d = differences[std::size_t(row)];
    const QString cells[4] = {SettingsDiff::Setting(d), d.name, QString::number(d.after),
                              QString::number(d.before)};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column != 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, column, item);
    }
  }
  // The values beside their names, the name column taking the room left.
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  table_->setCurrentItem(nullptr);
  layout->addWidget(table_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* write = buttons->addButton(SettingsTexts::CompareWrite, QDialogButtonBox::AcceptRole);
  write->setObjectName(QStringLiteral("WriteSettingsButton"));
  QPushButton* close = buttons->addButton(SettingsTexts::CompareClose, QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setDefault(true);  // Enter never writes to the controller
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  close->setFocus();

  // Wide enough for the table without a scroll bar across, tall enough for a few rows.
  int width = 0;
  for (int column = 0; column < 4; ++column) width += table_->columnWidth(column);
  resize(std::max(width + 60, 480), std::min(160 + 30 * int(differences.size()), 560));
}
