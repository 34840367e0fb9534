// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TBitCheckBox.h"

#include <algorithm>

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace kurvio {

namespace {

QPixmap WithTransparentColor(const QPixmap& glyph) {
  if (glyph.isNull() || glyph.hasAlphaChannel()) return glyph;
  QPixmap result = glyph;
  const QImage image = glyph.toImage();
  const QColor transparent = image.pixelColor(0, image.height() - 1);
  result.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent.rgb())));
  return result;
}

int ClampCount(int count) { return count < 1 ? 1 : (count > 2 ? 2 : count); }

}  // namespace

TBitCheckBox::TBitCheckBox(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  color_ = BgrFromColor(palette().color(QPalette::Window));
  resize(sizeHint());
}

void TBitCheckBox::SetState(TCheckBoxState state) {
  if (state != cbChecked && state != cbGrayed) state = cbUnchecked;
  if (state == state_) return;
  state_ = state;
  update();
}

void TBitCheckBox::SetAllowGrayed(bool allow) { allowGrayed_ = allow; }

void TBitCheckBox::SetAlignment(TAlignment alignment) {
  alignment_ = alignment == taLeftJustify ? taLeftJustify : taRightJustify;
  update();
}

void TBitCheckBox::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TBitCheckBox::SetColor(int color) {
  color_ = color;
  update();
}

void TBitCheckBox::SetFontColor(int color) {
  fontColor_ = color;
  update();
}

void TBitCheckBox::SetCheckedGlyph(const QPixmap& glyph) {
  checkedGlyph_ = WithTransparentColor(glyph);
  update();
}

void TBitCheckBox::SetUncheckedGlyph(const QPixmap& glyph) {
  uncheckedGlyph_ = WithTransparentColor(glyph);
  update();
}

void TBitCheckBox::SetGrayedGlyph(const QPixmap& glyph) {
  grayedGlyph_ = WithTransparentColor(glyph);
  update();
}

void TBitCheckBox::SetCheckedNumGlyphs(int count) {
  checkedNum_ = ClampCount(count);
  update();
}

void TBitCheckBox::SetUncheckedNumGlyphs(int count) {
  uncheckedNum_ = ClampCount(count);
  update();
}

void TBitCheckBox::SetGrayedNumGlyphs(int count) {
  grayedNum_ = ClampCount(count);
  update();
}

const QPixmap& TBitCheckBox::CurrentGlyph(int* count) const {
  switch (state_) {
    case cbChecked:
      *count = checkedNum_;
      return checkedGlyph_;
    case cbGrayed:
      *count = grayedNum_;
      return grayedGlyph_;
    case cbUnchecked:
      break;
  }
  *count = uncheckedNum_;
  return uncheckedGlyph_;
}

int TBitCheckBox::ImageWidth() const {
  int count = 1;
  const QPixmap& glyph = CurrentGlyph(&count);
  return glyph.isNull() ? 0 : glyph.width() / count;
}

QSize TBitCheckBox::minimumSizeHint() const {
  const QRect caption = CaptionRect();
  return QSize(std::max(caption.right() + 3, ImageWidth() + 2), std::max(caption.height(), 17));
}

QRect TBitCheckBox::CaptionRect() const {
  const QRect text = fontMetrics().boundingRect(
      QRect(0, 0, 0, 0), Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
  const int x = alignment_ == taRightJustify ? ImageWidth() + 4 : 1;
  return QRect(x, (height() - text.height()) / 2, text.width(), text.height());
}

void TBitCheckBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ColorFromBgr(color_));

  int count = 1;
  const QPixmap& glyph = CurrentGlyph(&count);
  if (!glyph.isNull()) {
    const int imageWidth = glyph.width() / count;
    const int image = (!isEnabled() && count == 2) ? 1 : 0;
    const int x = alignment_ == taRightJustify ? 0 : width() - imageWidth;
    const int y = (height() - glyph.height()) / 2;
    painter.drawPixmap(QPoint(x, y), glyph,
                       QRect(image * imageWidth, 0, imageWidth, glyph.height()));
  }

  const QRect text = CaptionRect();
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  if (isEnabled()) {
    painter.setPen(ColorFromBgr(fontColor_));
    painter.drawText(text, flags, caption_);
  } else {
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(text.translated(1, 1), flags, caption_);
    painter.setPen(ColorFromBgr(8421504));
    painter.drawText(text, flags, caption_);
  }

  if (hasFocus() && !caption_.isEmpty()) DrawFocusRect(painter, text.adjusted(-1, -1, 1, 1));
}

void TBitCheckBox::Toggle() {
  QPointer<TBitCheckBox> self(this);
  switch (state_) {
    case cbUnchecked:
      state_ = allowGrayed_ ? cbGrayed : cbChecked;
      break;
    case cbChecked:
      state_ = cbUnchecked;
      break;
    case cbGrayed:
      state_ = cbChecked;
      break;
  }
  update();
  emit OnClick();
  if (self && isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus) setFocus();
}

void TBitCheckBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
}

void TBitCheckBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (rect().contains(event->position().toPoint())) Toggle();
}

void TBitCheckBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (!event->isAutoRepeat()) Toggle();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TBitCheckBox::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TBitCheckBox::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void TBitCheckBox::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    pressed_ = false;
    update();
  }
}

}  // namespace kurvio
