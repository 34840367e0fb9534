// SPDX-License-Identifier: GPL-3.0-or-later
// Drop-down list of the fill patterns of areas, each item drawn as a patterned
// rectangle.
#pragma once

#include "widgets/TPictureComboBox.h"

namespace kurvio {

class TFillStyleComboBox : public TPictureComboBox {
  Q_OBJECT
  Q_PROPERTY(int FillStyle READ FillStyle WRITE SetFillStyle)
  Q_PROPERTY(int MaxFillStyle READ MaxFillStyle WRITE SetMaxFillStyle)
  Q_PROPERTY(int BrushColor READ BrushColor WRITE SetBrushColor)

 public:
  explicit TFillStyleComboBox(QWidget* parent = nullptr);

  // 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward diagonal,
  // 5 backward diagonal, 6 cross, 7 diagonal cross.
  static Qt::BrushStyle BrushStyleOf(int fillStyle);

  int FillStyle() const { return currentIndex() < 0 ? 0 : currentIndex(); }
  // A style outside 0..MaxFillStyle is ignored.
  void SetFillStyle(int style);
  int MaxFillStyle() const { return maxFillStyle_; }
  void SetMaxFillStyle(int max);
  int BrushColor() const { return brushColor_; }
  void SetBrushColor(int color);

  void DrawItem(QPainter& painter, const QRect& r, int index, bool selected) const override;

 private:
  int maxFillStyle_ = 7;
  int brushColor_ = 0;
};

}  // namespace kurvio
