// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TColorButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include "widgets/TColorPopup.h"
#include "widgets/WidgetPaint.h"

namespace kurvio {

TColorButton::TColorButton(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::NoFocus);
  resize(sizeHint());
  popup_ = new TColorPopup(this);
}

TColorButton::~TColorButton() {
  // The palette must not report back to a button that is half destroyed.
  popup_->owner_ = nullptr;
  delete popup_;
}

void TColorButton::SetSelectionColor(int color) {
  if (color == selectionColor_) return;
  selectionColor_ = color;
  update();
  emit OnChange();
}

void TColorButton::SetFlat(bool flat) {
  flat_ = flat;
  update();
}

void TColorButton::SetTransparent(bool transparent) {
  transparent_ = transparent;
  update();
}

void TColorButton::SetIndicatorBorder(TIndicatorBorder border) {
  indicatorBorder_ = border;
  update();
}

void TColorButton::SetGroupIndex(int index) {
  groupIndex_ = index;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    update();
  }
}

void TColorButton::SetDown(bool down) {
  if (groupIndex_ == 0 || down == down_) return;
  if (!down && !allowAllUp_) return;  // one button of the group stays down
  down_ = down;
  if (down_ && parentWidget()) {
    const auto siblings = parentWidget()->findChildren<TColorButton*>(Qt::FindDirectChildrenOnly);
    for (TColorButton* other : siblings) {
      if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->update();
      }
    }
  }
  update();
}

QRect TColorButton::IndicatorRect() const {
  const int e = kEdgeWidth;
  const int border = (indicatorBorder_ == ibSunken || indicatorBorder_ == ibRaised) ? e : 1;
  QRect r = rect().adjusted(e + 1 + border, e + 1 + border, -e - 1 - border, -e - 1 - border);
  if (mouseDown_ || droppedDown_ || down_) r.translate(1, 1);
  return r;
}

QString TColorButton::CellHint(int cell) {
  QString hint;
  if (cell == TColorPopup::DefaultTextCell) {
    hint = defaultText_;
    hint.remove(QLatin1Char('&'));
  }
  if (OnHint) OnHint(this, cell, hint);
  return hint;
}

void TColorButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const bool down = mouseDown_ || droppedDown_ || down_;
  const QRect r = rect();
  if (flat_) {
    if (!transparent_) painter.fillRect(r, pal.color(QPalette::Button));
    if (down) {
      DrawEdge(painter, r, EdgeKind::Sunken, pal);
    } else if (hovered_ && isEnabled()) {
      DrawEdge(painter, r, EdgeKind::Raised, pal);
    }
  } else {
    painter.fillRect(r, pal.color(QPalette::Button));
    DrawEdge(painter, r, down ? EdgeKind::Sunken : EdgeKind::Raised, pal);
  }

  const QRect colorRect = IndicatorRect();
  const int border =
      (indicatorBorder_ == ibSunken || indicatorBorder_ == ibRaised) ? kEdgeWidth : 1;
  const QRect frame = colorRect.adjusted(-border, -border, border, border);
  painter.fillRect(colorRect, ColorFromBgr(selectionColor_));
  switch (indicatorBorder_) {
    case ibNone:
      break;
    case ibFlat:
      painter.setPen(pal.color(QPalette::Dark));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(frame.adjusted(0, 0, -1, -1));
      break;
    case ibSunken:
      DrawEdge(painter, frame, EdgeKind::Sunken, pal);
      break;
    case ibRaised:
      DrawEdge(painter, frame, EdgeKind::Raised, pal);
      break;
  }
}

bool TColorButton::DropDown() {
  if (droppedDown_) return true;
  bool allowed = true;
  if (OnDropChanging) {
    QPointer<TColorButton> self(this);
    OnDropChanging(this, allowed);
    if (!self) return false;
  }
  if (!allowed) return false;

  popup_->UpdateLayout();
  popup_->SetSelectedIndex(TColorPopup::IndexOfColor(selectionColor_));
  popup_->SetHoveredIndex(TColorPopup::NoCell);
  popup_->pressed_ = false;

  const QSize size = popup_->size();
  QPoint pos = mapToGlobal(QPoint(0, height() - 1));
  QScreen* scr = screen();
  const QRect area = scr ? scr->geometry() : QRect(0, 0, 1 << 15, 1 << 15);
  if (pos.y() + size.height() > area.bottom() + 1) {
    pos.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
    if (pos.y() < area.top()) pos.setY(area.top());
  }
  if (pos.x() + size.width() > area.right() + 1) pos.setX(area.right() + 1 - size.width());
  if (pos.x() < area.left()) pos.setX(area.left());
  popup_->move(pos);

  droppedDown_ = true;
  update();
  popup_->show();
  emit OnDropChanged();
  return true;
}

bool TColorButton::CloseUp() {
  if (!droppedDown_) return true;
  bool allowed = true;
  if (OnDropChanging) {
    QPointer<TColorButton> self(this);
    OnDropChanging(this, allowed);
    if (!self) return false;
  }
  if (!allowed) return false;
  popup_->hide();  // reports back through PopupHidden
  return true;
}

void TColorButton::PopupHidden() {
  if (!droppedDown_) return;
  droppedDown_ = false;
  mouseDown_ = false;
  update();
  emit OnDropChanged();
}

void TColorButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  mouseDown_ = true;
  update();
  if (DropDown()) mouseDown_ = false;  // the palette takes over the mouse
}

void TColorButton::mouseReleaseEvent(QMouseEvent*) {
  if (mouseDown_) {
    mouseDown_ = false;
    update();
  }
}

void TColorButton::enterEvent(QEnterEvent*) {
  hovered_ = true;
  if (flat_) update();
}

void TColorButton::leaveEvent(QEvent*) {
  hovered_ = false;
  if (flat_) update();
}

void TColorButton::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (droppedDown_) popup_->hide();
}

}  // namespace kurvio
