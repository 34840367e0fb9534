// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TFillStyleComboBox.h"

#include <QAbstractItemView>
#include <QPainter>

#include "widgets/WidgetPaint.h"

namespace kurvio {

TFillStyleComboBox::TFillStyleComboBox(QWidget* parent) : TPictureComboBox(parent) {
  SetItemHeight(16);
  FillItems(QStringLiteral("Ashurado"), maxFillStyle_ + 1);
}

Qt::BrushStyle TFillStyleComboBox::BrushStyleOf(int fillStyle) {
  switch (fillStyle) {
    case 0:
      return Qt::SolidPattern;
    case 1:
      return Qt::NoBrush;
    case 2:
      return Qt::HorPattern;
    case 3:
      return Qt::VerPattern;
    case 4:
      return Qt::FDiagPattern;
    case 5:
      return Qt::BDiagPattern;
    case 6:
      return Qt::CrossPattern;
    case 7:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

void TFillStyleComboBox::SetFillStyle(int style) {
  if (style < 0 || style > maxFillStyle_) return;
  setCurrentIndex(style);
}

void TFillStyleComboBox::SetMaxFillStyle(int max) {
  max = max < 0 ? 0 : (max > 7 ? 7 : max);
  if (max == maxFillStyle_) return;
  maxFillStyle_ = max;
  FillItems(QStringLiteral("Ashurado"), maxFillStyle_ + 1);
}

void TFillStyleComboBox::SetBrushColor(int color) {
  brushColor_ = color;
  update();
  if (view()) view()->viewport()->update();
}

void TFillStyleComboBox::DrawItem(QPainter& painter, const QRect& r, int index,
                                  bool selected) const {
  ClearItem(painter, r, selected);
  // The corners are those of a rectangle whose right and bottom edges lie
  // outside it: (left + 4, top + 2) to (right - 4, bottom - 2).
  const int left = r.left() + 4;
  const int top = r.top() + 2;
  const int right = r.left() + r.width() - 4;
  const int bottom = r.top() + r.height() - 2;
  if (right - left < 2 || bottom - top < 2) return;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.setBrush(QBrush(ColorFromBgr(brushColor_), BrushStyleOf(index)));
  painter.setBrushOrigin(left, top);
  painter.drawRect(QRect(left, top, right - 1 - left, bottom - 1 - top));
}

}  // namespace kurvio
