// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TSwitch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

#include "widgets/WidgetPaint.h"

namespace kurvio {

TSwitch::TSwitch(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  QFont captionFont(QStringLiteral("Small Fonts"));
  captionFont.setPointSize(7);
  setFont(captionFont);
  resize(sizeHint());
}

void TSwitch::SetCaptionOn(const QString& caption) {
  captionOn_ = caption;
  update();
}

void TSwitch::SetCaptionOff(const QString& caption) {
  captionOff_ = caption;
  update();
}

void TSwitch::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  update();
}

void TSwitch::SetCheckedLeft(bool left) {
  checkedLeft_ = left;
  update();
}

void TSwitch::SetSlope(int slope) {
  slope_ = slope;
  update();
}

void TSwitch::SetSideLength(int length) {
  sideLength_ = length < 0 ? 0 : length;
  update();
}

void TSwitch::SetOnColor(int color) {
  onColor_ = color;
  update();
}

void TSwitch::SetOffColor(int color) {
  offColor_ = color;
  update();
}

void TSwitch::SetTopColor(int color) {
  topColor_ = color;
  update();
}

void TSwitch::SetSideColor(int color) {
  sideColor_ = color;
  update();
}

void TSwitch::SetFontColor(int color) {
  fontColor_ = color;
  update();
}

TSwitch::Geometry TSwitch::ComputeGeometry() const {
  Geometry g;
  const int sl = sideLength_;
  g.fh = height() - sl - 4;
  g.hw = (width() - 4) / 2;
  g.cx = g.hw + 2;
  g.s = slope_;
  if (checked_ != checkedLeft_) {
    g.hw = -g.hw;
    g.s = -g.s;
  }
  const int cx = g.cx, hw = g.hw, s = g.s;
  const int faceTop = 2;
  const int faceBottom = faceTop + g.fh;
  const int sideBottom = faceBottom + sl;
  // The half on the state side lies pressed in, one side length lower; the
  // raised half shows its front face, its side face below it and, at the
  // pivot, a wall as wide as the slope.
  g.stateHalf << QPoint(cx - hw, faceTop + sl) << QPoint(cx, faceTop + sl) << QPoint(cx, sideBottom)
              << QPoint(cx - hw, sideBottom);
  g.otherHalf << QPoint(cx + s, faceTop) << QPoint(cx + hw, faceTop) << QPoint(cx + hw, faceBottom)
              << QPoint(cx + s, faceBottom);
  g.side << QPoint(cx + s, faceBottom) << QPoint(cx + hw, faceBottom) << QPoint(cx + hw, sideBottom)
         << QPoint(cx, sideBottom);
  g.top << QPoint(cx - hw, faceTop) << QPoint(cx + s, faceTop) << QPoint(cx + s, faceBottom)
        << QPoint(cx, sideBottom) << QPoint(cx, faceTop + sl) << QPoint(cx - hw, faceTop + sl);
  const int left = std::min(cx + s, cx + hw);
  const int right = std::max(cx + s, cx + hw);
  g.captionRect = QRect(QPoint(left, faceTop), QPoint(right, faceBottom));
  return g;
}

void TSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const Geometry g = ComputeGeometry();
  const int w = width();
  const int h = height();

  const QColor grey = ColorFromBgr(8421504);
  painter.fillRect(QRect(1, 1, w - 2, 1), grey);
  painter.fillRect(QRect(1, 1, 1, h - 2), grey);
  painter.fillRect(QRect(1, h - 1, w - 2, 1), Qt::white);
  painter.fillRect(QRect(w - 2, 1, 1, h - 1), Qt::white);

  painter.setPen(Qt::black);
  painter.setBrush(ColorFromBgr(topColor_));
  painter.drawPolygon(g.top);
  painter.setBrush(ColorFromBgr(sideColor_));
  painter.drawPolygon(g.side);
  painter.setBrush(ColorFromBgr(checked_ ? onColor_ : offColor_));
  painter.drawPolygon(g.stateHalf);
  painter.setBrush(ColorFromBgr(offColor_));
  painter.drawPolygon(g.otherHalf);

  painter.setPen(ColorFromBgr(fontColor_));
  painter.setFont(font());
  painter.drawText(g.captionRect, Qt::AlignCenter | Qt::TextSingleLine,
                   checked_ ? captionOn_ : captionOff_);

  if (hasFocus()) DrawFocusRect(painter, rect());
}

void TSwitch::Toggle() {
  // A handler may process events and toggle or delete this switch before the
  // next signal; every step below relies only on what was true at this toggle.
  QPointer<TSwitch> self(this);
  checked_ = !checked_;
  const bool nowChecked = checked_;
  emit OnChanged();
  if (!self) return;
  if (nowChecked) {
    emit OnChecked();
  } else {
    emit OnUnChecked();
  }
  if (!self) return;
  update();
  emit OnClick();
}

void TSwitch::mousePressEvent(QMouseEvent* event) {
  QPointer<TSwitch> self(this);
  const QPoint pos = event->position().toPoint();
  if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
  emit OnMouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
  if (!self) return;
  // The whole face is the switch: a pupil clicks on "EIN" as often as beside it.
  if (event->button() == Qt::LeftButton) Toggle();
}

void TSwitch::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A held key would otherwise flip the switch, and start and stop an
      // animation, at the key repeat rate.
      if (!event->isAutoRepeat()) Toggle();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TSwitch::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TSwitch::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace kurvio
