#include "app/view/PortDevicesView.h"

#include "app/AppTexts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyledItemDelegate>

namespace {

constexpr int kDeviceRole = Qt::UserRole + 1;

// Items of the list read "COM1 → /dev/ttyUSB0" where the name is not the
// device itself.
class PortItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    const QString device = index.data(kDeviceRole).toString();
    if (!device.isEmpty() && device != option->text) option->text = AppTexts::kPortDevice.arg(option->text, device);
  }
};

}  // namespace

namespace PortDevicesView {

void Bind(QComboBox* box, const QStringList& devices, std::vector<std::function<void()>>& renderers) {
  box->setItemDelegate(new PortItemDelegate(box));
  renderers.push_back([box, &devices] {
    const QSignalBlocker blocker(box);
    bool changed = false;
    for (int i = 0; i < box->count(); ++i) {
      const QString device = i < devices.size() ? devices[i] : QString();
      if (box->itemData(i, kDeviceRole).toString() == device) continue;
      box->setItemData(i, device, kDeviceRole);
      box->setItemData(i, device, Qt::ToolTipRole);
      changed = true;
    }
    const int current = box->findText(box->currentText());
    box->setToolTip(current >= 0 && current < devices.size() ? devices[current] : QString());
    // The list is as wide as its longest line.
    if (changed) box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 8);
  });
}

}  // namespace PortDevicesView
