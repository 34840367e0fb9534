// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TSMButton.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kurvio {

TSMButton::TSMButton(QWidget* parent) : TSMButton(QString(), parent) {}

TSMButton::TSMButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  resize(75, 25);
}

void TSMButton::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  updateGeometry();
  update();
}

int TSMButton::TextFlags() const {
  return Qt::AlignCenter | Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : 0);
}

QRect TSMButton::CaptionRect() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

int TSMButton::CaptionLineCount() const {
  const QRect area = CaptionRect();
  const QRect used = fontMetrics().boundingRect(area, TextFlags(), text());
  const int lineHeight = fontMetrics().height();
  return lineHeight > 0 ? (used.height() + lineHeight / 2) / lineHeight : 1;
}

int TSMButton::heightForWidth(int width) const {
  const int frame = height() - CaptionRect().height();
  const int textWidth = width - (this->width() - CaptionRect().width());
  const QRect used = fontMetrics().boundingRect(QRect(0, 0, textWidth > 1 ? textWidth : 1, 0),
                                                TextFlags(), text());
  return used.height() + frame;
}

void TSMButton::paintEvent(QPaintEvent* event) {
  if (!wordWrap_) {
    QPushButton::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  QRect area = CaptionRect();
  if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  painter.drawItemText(area, TextFlags(), palette(), isEnabled(), caption, QPalette::ButtonText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = CaptionRect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace kurvio
