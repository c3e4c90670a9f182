#pragma once
// The link monitor's window: a dock beside the main window with the
// counters, the reply times, a table of the rows and the buttons
// "Wyczyść" and "Zapisz…". It only shows TForm1::Monitor; Sync brings the
// table up to it in one step (the rows dropped at the front, the new ones
// at the end), so a busy link never makes it rebuild the table.

#include "monitor/LinkMonitor.h"

#include <QAbstractTableModel>
#include <QDockWidget>

#include <cstdint>

class QLabel;
class QPushButton;
class QTableView;

class LinkMonitorModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit LinkMonitorModel(const LinkMonitor& monitor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // Removes the rows the monitor no longer keeps and appends the ones it
  // added since the last call.
  void Sync();

  static constexpr int kOutcomeColumn = 6;
  static constexpr int kBytesColumn = 7;

 private:
  const LinkRow* RowAt(int row) const;

  const LinkMonitor& monitor_;
  std::uint64_t shownFirst_ = 0;  // sequence numbers of the rows shown
  std::uint64_t shownEnd_ = 0;
};

class LinkMonitorDock : public QDockWidget {
  Q_OBJECT
 public:
  LinkMonitorDock(const LinkMonitor& monitor, QWidget* parent);

  QPushButton* ClearButton() const { return clear_; }
  QPushButton* SaveButton() const { return save_; }
  QTableView* Table() const { return table_; }

  // The counters, the reply times and the table as the monitor has them;
  // the table follows its newest row while it was scrolled to the end.
  void Sync();

 signals:
  // The user closed the window.
  void closedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  const LinkMonitor& monitor_;
  LinkMonitorModel* model_;
  QLabel* counters_;
  QLabel* replyTimes_;
  QTableView* table_;
  QPushButton* clear_;
  QPushButton* save_;
  std::uint64_t syncedEnd_ = 0;
};
