#include "app/view/MessageBoxes.h"

#include "app/AppTexts.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QSpacerItem>

namespace {

// Window buttons, the icon and margins of a title bar, a little more than
// the common desktops draw.
constexpr int kTitleBarButtons = 140;
// A few pixels beside the text's own margins, so that the longest line is
// not broken for rounding.
constexpr int kTextSlack = 8;

// A box sizes itself to its text and buttons, and wraps a text wider than
// 500 pixels wherever a line may break (inside "/dev/ttyUSB0" too). Spacers
// under them keep it at least as wide as its title needs, and its text's
// column as wide as the longest line, up to three quarters of the screen.
std::unique_ptr<QMessageBox> WideEnough(std::unique_ptr<QMessageBox> box) {
  auto* grid = qobject_cast<QGridLayout*>(box->layout());
  if (!grid) return box;
  const int row = grid->rowCount();
  const int title = MessageBoxes::TitleBarWidth(box->windowTitle(), box->font());
  grid->addItem(new QSpacerItem(title, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), row, 0, 1,
                grid->columnCount());
  const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  const int at = label ? grid->indexOf(label) : -1;
  if (at < 0) return box;
  int labelRow = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(at, &labelRow, &column, &rowSpan, &columnSpan);
  int longest = 0;
  for (const QString& line : box->text().split(QLatin1Char('\n')))
    longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
  const QScreen* screen = box->screen();
  const int most = screen ? screen->availableGeometry().width() * 3 / 4 : 700;
  const QMargins margins = label->contentsMargins();
  const int text = std::min(longest + margins.left() + margins.right() + 2 * label->indent() + kTextSlack, most);
  grid->addItem(new QSpacerItem(text, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), row + 1, column, 1,
                columnSpan);
  return box;
}

}  // namespace

namespace MessageBoxes {

int TitleBarWidth(const QString& title, const QFont& font) {
  QFont titleFont = font;
  titleFont.setBold(true);
  if (font.pointSizeF() > 0) titleFont.setPointSizeF(font.pointSizeF() * 1.25);
  else titleFont.setPixelSize(font.pixelSize() * 5 / 4);
  return QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarButtons;
}

std::unique_ptr<QMessageBox> Message(QWidget* parent, const QString& text) {
  return WideEnough(
      std::make_unique<QMessageBox>(QMessageBox::NoIcon, AppTexts::kApplicationTitle, text, QMessageBox::Ok, parent));
}

std::unique_ptr<QMessageBox> Confirmation(QWidget* parent, const QString& question) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, AppTexts::kConfirmTitle, question,
                                           QMessageBox::Ok | QMessageBox::Cancel, parent);
  box->button(QMessageBox::Ok)->setText(AppTexts::kConfirmOk);
  box->button(QMessageBox::Cancel)->setText(AppTexts::kConfirmCancel);
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Cancel);
  return WideEnough(std::move(box));
}

std::unique_ptr<QMessageBox> Error(QWidget* parent, const QString& text) {
  return WideEnough(std::make_unique<QMessageBox>(QMessageBox::Critical, AppTexts::kApplicationTitle, text,
                                                  QMessageBox::Ok, parent));
}

}  // namespace MessageBoxes
