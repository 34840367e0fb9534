// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kurvio {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TPaintBox::SetPicture(const QImage* picture) {
  picture_ = picture;
  update();
}

void TPaintBox::Show() { repaint(); }

void TPaintBox::Show(const QRect& area) { repaint(area); }

void TPaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_ && !picture_->isNull()) {
    painter.drawImage(0, 0, *picture_);
    // Whatever the picture does not cover (during a resize) stays plain.
    if (picture_->width() < width())
      painter.fillRect(picture_->width(), 0, width() - picture_->width(), height(), Qt::white);
    if (picture_->height() < height())
      painter.fillRect(0, picture_->height(), width(), height() - picture_->height(), Qt::white);
  } else {
    painter.fillRect(rect(), Qt::white);
  }
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseDown(event->button(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseMove(p.x(), p.y());
  emit PointerAt(p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseUp(event->button(), p.x(), p.y());
}

void TPaintBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit PointerLeft();
}

void TPaintBox::wheelEvent(QWheelEvent* event) {
  const QPoint p = event->position().toPoint();
  emit Wheel(p.x(), p.y(), event->angleDelta().y());
  event->accept();
}

void TPaintBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit Resized();
}

}  // namespace kurvio
