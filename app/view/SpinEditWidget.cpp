#include "app/view/SpinEditWidget.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

SpinEditWidget::SpinEditWidget(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  // Digits with an optional sign: what a number can be typed as.
  edit_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[-+]?[0-9]{0,9}")), edit_));
  edit_->installEventFilter(this);
  setFocusProxy(edit_);
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(edit_, &QLineEdit::textEdited, this, &SpinEditWidget::textEdited);
  connect(up_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

QString SpinEditWidget::text() const { return edit_->text(); }

void SpinEditWidget::setText(const QString& text) {
  if (edit_->text() != text) edit_->setText(text);
}

void SpinEditWidget::setReadOnly(bool readOnly) {
  edit_->setReadOnly(readOnly);
  up_->setEnabled(!readOnly);
  down_->setEnabled(!readOnly);
}

bool SpinEditWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress && !edit_->isReadOnly()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      emit stepped(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void SpinEditWidget::resizeEvent(QResizeEvent*) {
  const int arrows = 16;
  const int w = width(), h = height();
  edit_->setGeometry(0, 0, w - arrows, h);
  up_->setGeometry(w - arrows, 0, arrows, h / 2);
  down_->setGeometry(w - arrows, h / 2, arrows, h - h / 2);
}
