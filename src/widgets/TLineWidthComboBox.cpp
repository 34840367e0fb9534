// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TLineWidthComboBox.h"

#include <QAbstractItemView>
#include <QPainter>

#include "widgets/WidgetPaint.h"

namespace kurvio {

TLineWidthComboBox::TLineWidthComboBox(QWidget* parent) : TPictureComboBox(parent) {
  SetItemHeight(17);
  FillItems(QStringLiteral("Ancho"), maxLineWidth_);
}

void TLineWidthComboBox::SetLineWidth(int width) {
  if (width < 1 || width > maxLineWidth_) return;
  setCurrentIndex(width - 1);
}

void TLineWidthComboBox::SetMaxLineWidth(int max) {
  max = max < 1 ? 1 : (max > kLargestLineWidth ? kLargestLineWidth : max);
  if (max == maxLineWidth_) return;
  maxLineWidth_ = max;
  FillItems(QStringLiteral("Ancho"), maxLineWidth_);
}

void TLineWidthComboBox::SetLineColor(int color) {
  lineColor_ = color;
  update();
  if (view()) view()->viewport()->update();
}

void TLineWidthComboBox::DrawItem(QPainter& painter, const QRect& r, int index,
                                  bool selected) const {
  ClearItem(painter, r, selected);
  const QColor background = palette().color(selected ? QPalette::Highlight : QPalette::Base);
  const int right = r.left() + r.width();
  const int bottom = r.top() + r.height();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(background);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(QPoint(r.left() + 4, r.top() + 2), QPoint(right - 5, bottom - 3)));

  // The line is the band a pen of this width covers: width rows, centred on
  // the middle row with the extra row above for even widths.
  const int width = index + 1;
  const int middle = r.top() + r.height() / 2;
  const int lineLeft = r.left() + 6 + width;
  const int lineRight = right - 6 - width;
  if (lineRight <= lineLeft) return;
  painter.fillRect(QRect(lineLeft, middle - width / 2, lineRight - lineLeft, width),
                   ColorFromBgr(lineColor_));
}

}  // namespace kurvio
