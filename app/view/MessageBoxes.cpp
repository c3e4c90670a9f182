#include "app/view/MessageBoxes.h"

#include "app/AppTexts.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QScreen>
#include <QSpacerItem>

namespace {

// Window buttons, the icon and margins of a title bar, a little more than
// the common desktops draw.
constexpr int kTitleBarButtons = 140;
// Around a box's text: the margins, and the icon's column of a question.
constexpr int kTextMargins = 80;

// A box sizes itself to its text and buttons, and wraps a text wider than
// 500 pixels wherever a line may break (inside "/dev/ttyUSB0" too). A
// spacer under them keeps it at least as wide as its title needs, and as
// its longest line, up to three quarters of the screen.
std::unique_ptr<QMessageBox> WideEnough(std::unique_ptr<QMessageBox> box) {
  auto* grid = qobject_cast<QGridLayout*>(box->layout());
  if (!grid) return box;
  int longest = 0;
  const QFontMetrics metrics(box->font());
  for (const QString& line : box->text().split(QLatin1Char('\n')))
    longest = std::max(longest, metrics.horizontalAdvance(line));
  const QScreen* screen = box->screen();
  const int most = screen ? screen->availableGeometry().width() * 3 / 4 : 700;
  // The text stands beside the icon's column, inside the box's margins.
  const int textRoom = std::min(longest + kTextMargins, most);
  const int width = std::max(MessageBoxes::TitleBarWidth(box->windowTitle(), box->font()), textRoom);
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
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
