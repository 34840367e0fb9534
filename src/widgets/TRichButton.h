// SPDX-License-Identifier: GPL-3.0-or-later
// A large button showing several lines of formatted text, with bevels, an
// optional frame that lights up under the mouse, and an optional sticky down
// state.
#pragma once

#include <QStringList>
#include <QWidget>

#include "widgets/WidgetPaint.h"

class QTextEdit;

namespace kurvio {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNone, bsSingle };
// rbSticky: held down by a click while AllowDown is on, until the next click.
enum TRichButtonState { rbUp, rbDown, rbSticky };

class TRichButton : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
  Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
  Q_PROPERTY(bool Focus READ Focus WRITE SetFocus)
  Q_PROPERTY(int FocusColor READ FocusColor WRITE SetFocusColor)
  Q_PROPERTY(int FocusWidth READ FocusWidth WRITE SetFocusWidth)
  Q_PROPERTY(bool AllowDown READ AllowDown WRITE SetAllowDown)
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE SetFontColor)

 public:
  explicit TRichButton(QWidget* parent = nullptr);

  // One paragraph per line. Lines may carry simple rich-text markup
  // (<b>, <i>, <sup>, <font>); without any, they are shown as plain text.
  QStringList Lines() const { return lines_; }
  void SetLines(const QStringList& lines);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  bool Focus() const { return focus_; }
  void SetFocus(bool on);
  int FocusColor() const { return focusColor_; }
  void SetFocusColor(int color);
  int FocusWidth() const { return focusWidth_; }
  void SetFocusWidth(int width);
  bool AllowDown() const { return allowDown_; }
  void SetAllowDown(bool allow);
  TRichButtonState State() const { return state_; }
  void SetState(TRichButtonState state);
  int Color() const { return color_; }
  void SetColor(int color);
  int FontColor() const { return fontColor_; }
  void SetFontColor(int color);

  bool IsDown() const { return state_ != rbUp; }
  bool MouseOver() const { return mouseOver_; }
  // Where the text view lies for the current state.
  QRect TextRect() const;
  QTextEdit* RichView() const { return view_; }

  QSize sizeHint() const override { return QSize(75, 25); }

 signals:
  void OnClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Click();
  void UpdateView();
  void UpdateText();
  void SetMouseOver(bool over);

  QStringList lines_;
  TAlignment alignment_ = taLeftJustify;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 2;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool focus_ = false;
  int focusColor_;
  int focusWidth_ = 2;
  bool allowDown_ = false;
  TRichButtonState state_ = rbUp;
  int color_;
  int fontColor_;

  bool pressed_ = false;
  TRichButtonState stateBeforePress_ = rbUp;
  bool mouseOver_ = false;
  QTextEdit* view_;
};

}  // namespace kurvio
