// SPDX-License-Identifier: GPL-3.0-or-later
// A check box whose box is drawn from bitmaps supplied by the form.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "widgets/WidgetPaint.h"

namespace kurvio {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TBitCheckBox : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
  Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)

 public:
  explicit TBitCheckBox(QWidget* parent = nullptr);

  bool Checked() const { return state_ == cbChecked; }
  // Setting the state from code repaints and fires nothing.
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allow);
  // taRightJustify: the caption stands right of the box; taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  int Color() const { return color_; }
  void SetColor(int color);
  int FontColor() const { return fontColor_; }
  void SetFontColor(int color);

  // A glyph bitmap holds one image, or two side by side of which the second
  // is the disabled look. Without an alpha channel the colour of the
  // bottom-left pixel is transparent.
  QPixmap CheckedGlyph() const { return checkedGlyph_; }
  void SetCheckedGlyph(const QPixmap& glyph);
  QPixmap UncheckedGlyph() const { return uncheckedGlyph_; }
  void SetUncheckedGlyph(const QPixmap& glyph);
  QPixmap GrayedGlyph() const { return grayedGlyph_; }
  void SetGrayedGlyph(const QPixmap& glyph);
  int CheckedNumGlyphs() const { return checkedNum_; }
  void SetCheckedNumGlyphs(int count);
  int UncheckedNumGlyphs() const { return uncheckedNum_; }
  void SetUncheckedNumGlyphs(int count);
  int GrayedNumGlyphs() const { return grayedNum_; }
  void SetGrayedNumGlyphs(int count);

  // Width of one image of the current state's bitmap, 0 without one.
  int ImageWidth() const;
  // Where the caption is drawn.
  QRect CaptionRect() const;

  QSize sizeHint() const override { return QSize(97, 17); }
  // A layout never squeezes the box below its whole caption.
  QSize minimumSizeHint() const override;

 signals:
  void OnClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Toggle();
  const QPixmap& CurrentGlyph(int* count) const;

  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
  QString caption_;
  int color_;
  int fontColor_ = 0;
  QPixmap checkedGlyph_, uncheckedGlyph_, grayedGlyph_;
  int checkedNum_ = 1, uncheckedNum_ = 1, grayedNum_ = 1;
  bool pressed_ = false;
};

}  // namespace kurvio
