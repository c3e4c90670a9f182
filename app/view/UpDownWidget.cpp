#include "app/view/UpDownWidget.h"

#include <QKeyEvent>
#include <QToolButton>

UpDownWidget::UpDownWidget(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setFocusPolicy(Qt::StrongFocus);
  up_->setObjectName(QStringLiteral("Up"));
  down_->setObjectName(QStringLiteral("Down"));
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
  }
  connect(up_, &QToolButton::clicked, this, [this] {
    setFocus();
    emit stepped(+1);
  });
  connect(down_, &QToolButton::clicked, this, [this] {
    setFocus();
    emit stepped(-1);
  });
}

void UpDownWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      emit stepped(+1);
      break;
    case Qt::Key_Down:
    case Qt::Key_Left:
      emit stepped(-1);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void UpDownWidget::resizeEvent(QResizeEvent*) {
  const int h = height();
  up_->setGeometry(0, 0, width(), h / 2);
  down_->setGeometry(0, h / 2, width(), h - h / 2);
}
