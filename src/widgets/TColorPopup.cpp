// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TColorPopup.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

#include "widgets/TColorButton.h"
#include "widgets/WidgetPaint.h"

namespace kurvio {

namespace {

// Repeated values are part of the palette; a colour always selects its first cell.
constexpr std::array<int, TColorPopup::kCellCount> kPalette = {
    8404992,  8912896,  10485760, 12255232, 16711680, 16737894, 16744448, 16744576,  //
    16711808, 12615808, 16746632, 16755370, 16759739, 16769248, 16770533, 16773360,  //
    8421376,  8421440,  8421376,  8421440,  32768,    34816,    32896,    32896,     //
    47872,    65280,    6750054,  65280,    8978312,  11206570, 12320699, 14745568,  //
    4210816,  128,      136,      187,      255,      255,      255,      8388863,   //
    6711039,  33023,    4227327,  8421631,  8947967,  11184895, 12303359, 14737663,  //
    8388736,  12255419, 16711935, 16711935, 16746751, 16755455, 16759807, 16769279,  //
    8947712,  12303104, 16776960, 16777062, 16777096, 16777130, 16777147, 16777184,  //
    34952,    48059,    65535,    6750207,  8978431,  11206655, 12320767, 14745599,  //
    0,        5592405,  8947848,  12632256, 13421772, 14540253, 15790320, 16777215,
};

constexpr int kCellOutline = 8421504;

}  // namespace

const std::array<int, TColorPopup::kCellCount>& TColorPopup::Colors() { return kPalette; }

int TColorPopup::IndexOfColor(int color) {
  for (int i = 0; i < kCellCount; ++i) {
    if ((kPalette[i] & 0xFFFFFF) == (color & 0xFFFFFF)) return i;
  }
  return NoCell;
}

TColorPopup::TColorPopup(TColorButton* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint), owner_(owner) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setMouseTracking(true);
  UpdateLayout();
}

TColorPopup::~TColorPopup() = default;

void TColorPopup::UpdateLayout() {
  const int e = kEdgeWidth;
  const int m = owner_ ? owner_->PopupSpacing() : 8;
  const QString text = owner_ ? owner_->DefaultText() : QString();
  const int grid = kColumns * kCellSize;
  int inner = grid;
  textButtonHeight_ = 0;
  if (!text.isEmpty()) {
    const QFontMetrics fm = fontMetrics();
    textButtonHeight_ = fm.height() + 4 * e + 2;
    const int captionWidth = fm.size(Qt::TextShowMnemonic, text).width() + 4 * e;
    if (captionWidth > inner) inner = captionWidth;
  }
  textButtonWidth_ = inner;
  int height = kRows * kCellSize + 4 * e;
  if (textButtonHeight_ > 0) height += textButtonHeight_ + 2 * e;
  setFixedSize(inner + 2 * e + 2 * m, height);
}

QRect TColorPopup::CellRect(int cell) const {
  const int e = kEdgeWidth;
  const int m = owner_ ? owner_->PopupSpacing() : 8;
  if (cell == DefaultTextCell) {
    if (textButtonHeight_ == 0) return {};
    return QRect(e + m, 2 * e, textButtonWidth_, textButtonHeight_);
  }
  if (cell < 0 || cell >= kCellCount) return {};
  const int shift = textButtonHeight_ > 0 ? textButtonHeight_ + 2 * e : 0;
  return QRect((cell % kColumns) * kCellSize + e + m, (cell / kColumns) * kCellSize + 2 * e + shift,
               kCellSize, kCellSize);
}

int TColorPopup::CellAt(const QPoint& pos) const {
  if (CellRect(DefaultTextCell).contains(pos)) return DefaultTextCell;
  const QRect first = CellRect(0);
  const int dx = pos.x() - first.left();
  const int dy = pos.y() - first.top();
  if (dx < 0 || dy < 0) return NoCell;
  const int column = dx / kCellSize;
  const int row = dy / kCellSize;
  if (column >= kColumns || row >= kRows) return NoCell;
  return row * kColumns + column;
}

void TColorPopup::SetSelectedIndex(int cell) {
  if (cell != DefaultTextCell && (cell < 0 || cell >= kCellCount)) cell = NoCell;
  if (cell == DefaultTextCell && !HasTextButton()) cell = NoCell;
  if (cell == selected_) return;
  update(CellRect(selected_));
  selected_ = cell;
  update(CellRect(selected_));
}

void TColorPopup::SetHoveredIndex(int cell) {
  if (cell != DefaultTextCell && (cell < 0 || cell >= kCellCount)) cell = NoCell;
  if (cell == hovered_) return;
  update(CellRect(hovered_));
  hovered_ = cell;
  update(CellRect(hovered_));
}

void TColorPopup::PaintCell(QPainter& painter, int cell) {
  const QRect r = CellRect(cell);
  if (r.isEmpty()) return;
  const QPalette& pal = palette();
  const bool isSelected = cell == selected_;
  const bool isHovered = cell == hovered_;
  const bool highlighted = isSelected && !isHovered;
  painter.fillRect(r, pal.color(highlighted ? QPalette::Highlight : QPalette::Button));
  if (isSelected || (isHovered && pressed_)) {
    DrawEdge(painter, r, EdgeKind::Sunken, pal);
  } else if (isHovered) {
    DrawEdge(painter, r, EdgeKind::Raised, pal);
  }
  const int inset = kEdgeWidth + 1;
  const QRect inner = r.adjusted(inset, inset, -inset, -inset);
  if (cell == DefaultTextCell) {
    painter.setPen(pal.color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner.adjusted(0, 0, -1, -1));
    painter.setPen(pal.color(highlighted ? QPalette::HighlightedText : QPalette::ButtonText));
    painter.drawText(inner, Qt::AlignCenter | Qt::TextShowMnemonic,
                     owner_ ? owner_->DefaultText() : QString());
    return;
  }
  painter.fillRect(inner, ColorFromBgr(kPalette[cell]));
  painter.setPen(ColorFromBgr(kCellOutline));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(inner.adjusted(0, 0, -1, -1));
}

void TColorPopup::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  DrawEdge(painter, rect(), EdgeKind::Raised, palette());
  if (HasTextButton()) PaintCell(painter, DefaultTextCell);
  for (int i = 0; i < kCellCount; ++i) PaintCell(painter, i);
}

bool TColorPopup::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int cell = CellAt(help->pos());
    const QString hint = (cell != NoCell && owner_) ? owner_->CellHint(cell) : QString();
    if (hint.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), hint, this, CellRect(cell));
    }
    return true;
  }
  return QWidget::event(event);
}

void TColorPopup::mouseMoveEvent(QMouseEvent* event) {
  const bool pressed = event->buttons() & Qt::LeftButton;
  if (pressed != pressed_) {
    pressed_ = pressed;
    update(CellRect(hovered_));
  }
  SetHoveredIndex(CellAt(event->position().toPoint()));
}

void TColorPopup::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!rect().contains(pos)) {
    // A press on the owning button closes the palette; it must not open it again.
    if (owner_ && owner_->rect().contains(owner_->mapFromGlobal(event->globalPosition().toPoint())))
      setAttribute(Qt::WA_NoMouseReplay);
    if (owner_) owner_->CloseUp();
    return;
  }
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    SetHoveredIndex(CellAt(pos));
    update(CellRect(hovered_));
  }
}

void TColorPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = false;
  const int cell = CellAt(event->position().toPoint());
  SetHoveredIndex(cell);
  update(CellRect(cell));
  // Elsewhere the palette stays open, so that the release of the press that
  // opened it does not close it again.
  if (cell != NoCell) Choose(cell);
}

bool TColorPopup::IsAccelerator(const QKeyEvent* event) const {
  if (!HasTextButton() || !owner_) return false;
  const QKeySequence mnemonic = QKeySequence::mnemonic(owner_->DefaultText());
  if (mnemonic.isEmpty()) return false;
  const Qt::Key key = mnemonic[0].key();
  const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  return event->key() == key && (mods == Qt::NoModifier || mods == Qt::AltModifier);
}

void TColorPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      if (owner_) owner_->CloseUp();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (hovered_ != NoCell) Choose(hovered_);
      return;
    default:
      break;
  }
  if (IsAccelerator(event)) {
    Choose(DefaultTextCell);
    return;
  }
  event->accept();  // the palette keeps the keyboard while it is open
}

void TColorPopup::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  pressed_ = false;
  setAttribute(Qt::WA_NoMouseReplay, false);
  if (owner_) owner_->PopupHidden();
}

void TColorPopup::Choose(int cell) {
  if (!owner_) return;
  QPointer<TColorButton> owner(owner_);
  if (cell == DefaultTextCell) {
    if (!HasTextButton()) return;
    emit owner->OnDefaultSelect();
  } else if (cell >= 0 && cell < kCellCount) {
    owner->SetSelectionColor(kPalette[cell]);
  } else {
    return;
  }
  // A handler may have closed the palette or deleted the button meanwhile.
  if (owner && owner->DroppedDown()) owner->CloseUp();
}

}  // namespace kurvio
