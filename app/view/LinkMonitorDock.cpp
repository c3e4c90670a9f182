#include "app/view/LinkMonitorDock.h"

#include "mdbcomp/LinkTexts.h"
#include "monitor/MonitorTexts.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kColumns[] = {LinkTexts::kTimeColumn,     LinkTexts::kDirectionColumn, LinkTexts::kSlaveColumn,
                                LinkTexts::kFunctionColumn, LinkTexts::kRegisterColumn,  LinkTexts::kQuantityColumn,
                                LinkTexts::kOutcomeColumn,  LinkTexts::kBytesColumn};
constexpr int kColumnCount = int(sizeof kColumns / sizeof kColumns[0]);

const std::string& Cell(const LinkRow& row, int column) {
  switch (column) {
    case 0: return row.Time;
    case 1: return row.Direction;
    case 2: return row.Slave;
    case 3: return row.Function;
    case 4: return row.Register;
    case 5: return row.Quantity;
    case 6: return row.Outcome;
    default: return row.Bytes;
  }
}

}  // namespace

LinkMonitorModel::LinkMonitorModel(const LinkMonitor& monitor, QObject* parent)
    : QAbstractTableModel(parent), monitor_(monitor) {
  shownFirst_ = shownEnd_ = monitor_.EndRow();
}

int LinkMonitorModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(shownEnd_ - shownFirst_);
}

int LinkMonitorModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

const LinkRow* LinkMonitorModel::RowAt(int row) const {
  // Between a change of the monitor and the next Sync a row shown may be
  // gone already: it is then shown empty, never read outside the rows.
  const std::uint64_t sequence = shownFirst_ + std::uint64_t(row);
  if (row < 0 || sequence < monitor_.FirstRow() || sequence >= monitor_.EndRow()) return nullptr;
  return &monitor_.Rows()[std::size_t(sequence - monitor_.FirstRow())];
}

QVariant LinkMonitorModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  if (role == Qt::TextAlignmentRole && index.column() >= 2 && index.column() <= 5)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return QVariant();
  if (role == Qt::ToolTipRole && index.column() != kOutcomeColumn && index.column() != kBytesColumn)
    return QVariant();
  const LinkRow* row = RowAt(index.row());
  return row ? QString::fromStdString(Cell(*row, index.column())) : QString();
}

QVariant LinkMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
    return QVariant();
  return QString::fromUtf8(kColumns[section]);
}

void LinkMonitorModel::Sync() {
  const std::uint64_t first = monitor_.FirstRow();
  const std::uint64_t end = monitor_.EndRow();
  // The rows at the front the monitor dropped (all of them after a clear).
  const std::uint64_t keptFrom = std::min(std::max(first, shownFirst_), shownEnd_);
  if (keptFrom > shownFirst_) {
    beginRemoveRows(QModelIndex(), 0, int(keptFrom - shownFirst_ - 1));
    shownFirst_ = keptFrom;
    endRemoveRows();
  }
  if (shownFirst_ == shownEnd_) shownFirst_ = shownEnd_ = std::max(shownEnd_, first);
  if (end > shownEnd_) {
    const int count = rowCount();
    beginInsertRows(QModelIndex(), count, count + int(end - shownEnd_) - 1);
    shownEnd_ = end;
    endInsertRows();
  }
}

LinkMonitorDock::LinkMonitorDock(const LinkMonitor& monitor, QWidget* parent)
    : QDockWidget(MonitorTexts::kTitle, parent), monitor_(monitor) {
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(4);

  counters_ = new QLabel(body);
  counters_->setObjectName(QStringLiteral("MonitorCounters"));
  counters_->setWordWrap(true);
  counters_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  replyTimes_ = new QLabel(body);
  replyTimes_->setObjectName(QStringLiteral("MonitorReplyTimes"));
  column->addWidget(counters_);
  column->addWidget(replyTimes_);

  model_ = new LinkMonitorModel(monitor_, this);
  table_ = new QTableView(body);
  table_->setObjectName(QStringLiteral("MonitorTable"));
  table_->setModel(model_);
  // Fixed row heights and column widths: a row appended costs no measuring
  // of the rows already there.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  table_->setFont(fixed);
  table_->setWordWrap(false);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table_->verticalHeader()->setVisible(false);
  const QFontMetrics metrics(fixed);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
  // In characters: the outcomes of a try (a time-out, a reply and its
  // time, a result) fit; a longer one shows whole in its tooltip.
  const int widths[kColumnCount] = {12, 2, 3, 3, 5, 5, 40, 48};
  const QFontMetrics headerMetrics(table_->horizontalHeader()->font());
  for (int c = 0; c < kColumnCount; ++c) {
    const int header = headerMetrics.horizontalAdvance(QString::fromUtf8(kColumns[c])) + 12;
    table_->setColumnWidth(c, std::max(header, metrics.horizontalAdvance(QLatin1Char('0')) * widths[c] + 10));
  }
  table_->horizontalHeader()->setStretchLastSection(true);
  column->addWidget(table_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  clear_ = new QPushButton(body);
  clear_->setAutoDefault(false);
  save_ = new QPushButton(body);
  save_->setAutoDefault(false);
  buttons->addWidget(clear_);
  buttons->addWidget(save_);
  column->addLayout(buttons);
  setWidget(body);
}

void LinkMonitorDock::Sync() {
  QScrollBar* bar = table_->verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  const bool added = monitor_.EndRow() != syncedEnd_;
  syncedEnd_ = monitor_.EndRow();
  model_->Sync();
  const QString counters = monitor_.CountersText();
  if (counters_->text() != counters) counters_->setText(counters);
  const QString times = monitor_.ReplyTimesText();
  if (replyTimes_->text() != times) replyTimes_->setText(times);
  if (following && added) table_->scrollToBottom();
}

void LinkMonitorDock::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  emit closedByUser();
}
