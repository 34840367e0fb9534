// SPDX-License-Identifier: GPL-3.0-or-later
// Drop-down list of curve line widths, each item drawn as a line of its width.
#pragma once

#include "widgets/TPictureComboBox.h"

namespace kurvio {

class TLineWidthComboBox : public TPictureComboBox {
  Q_OBJECT
  Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
  Q_PROPERTY(int MaxLineWidth READ MaxLineWidth WRITE SetMaxLineWidth)
  Q_PROPERTY(int LineColor READ LineColor WRITE SetLineColor)

 public:
  static constexpr int kLargestLineWidth = 20;

  explicit TLineWidthComboBox(QWidget* parent = nullptr);

  int LineWidth() const { return currentIndex() < 0 ? 1 : currentIndex() + 1; }
  // Selects item width - 1; a width outside 1..MaxLineWidth is ignored.
  void SetLineWidth(int width);
  int MaxLineWidth() const { return maxLineWidth_; }
  void SetMaxLineWidth(int max);
  int LineColor() const { return lineColor_; }
  void SetLineColor(int color);

  void DrawItem(QPainter& painter, const QRect& r, int index, bool selected) const override;

 private:
  int maxLineWidth_ = 5;
  int lineColor_ = 0;
};

}  // namespace kurvio
