// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TRichButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace kurvio {

namespace {

int NonNegative(int value) { return value < 0 ? 0 : value; }

}  // namespace

TRichButton::TRichButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  focusColor_ = BgrFromColor(palette().color(QPalette::Highlight));
  color_ = BgrFromColor(palette().color(QPalette::Button));
  fontColor_ = BgrFromColor(palette().color(QPalette::ButtonText));

  view_ = new QTextEdit(this);
  view_->setReadOnly(true);
  view_->setFrameStyle(QFrame::NoFrame);
  view_->setFocusPolicy(Qt::NoFocus);
  view_->setTextInteractionFlags(Qt::NoTextInteraction);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  view_->document()->setDocumentMargin(1);
  // The button handles every mouse event itself.
  view_->setAttribute(Qt::WA_TransparentForMouseEvents);
  view_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);

  resize(sizeHint());
  UpdateText();
  UpdateView();
}

void TRichButton::SetLines(const QStringList& lines) {
  lines_ = lines;
  UpdateText();
}

void TRichButton::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  UpdateText();
}

void TRichButton::SetBevelInner(TBevelCut cut) {
  bevelInner_ = cut;
  UpdateView();
}

void TRichButton::SetBevelOuter(TBevelCut cut) {
  bevelOuter_ = cut;
  UpdateView();
}

void TRichButton::SetBevelWidth(int width) {
  bevelWidth_ = NonNegative(width);
  UpdateView();
}

void TRichButton::SetBorderWidth(int width) {
  borderWidth_ = NonNegative(width);
  UpdateView();
}

void TRichButton::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  UpdateView();
}

void TRichButton::SetFocus(bool on) {
  focus_ = on;
  UpdateView();
}

void TRichButton::SetFocusColor(int color) {
  focusColor_ = color;
  update();
}

void TRichButton::SetFocusWidth(int width) {
  focusWidth_ = NonNegative(width);
  UpdateView();
}

void TRichButton::SetAllowDown(bool allow) {
  allowDown_ = allow;
  if (!allow && state_ == rbSticky && !pressed_) SetState(rbUp);
}

void TRichButton::SetState(TRichButtonState state) {
  if (state == state_) return;
  state_ = state;
  UpdateView();
}

void TRichButton::SetColor(int color) {
  color_ = color;
  UpdateView();
}

void TRichButton::SetFontColor(int color) {
  fontColor_ = color;
  UpdateView();
}

QRect TRichButton::TextRect() const {
  int inset = borderWidth_;
  if (borderStyle_ == bsSingle) inset += 1;
  if (focus_) inset += focusWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  QRect r = rect().adjusted(inset, inset, -inset, -inset);
  if (IsDown()) r = r.adjusted(2, 1, -2, -1).translated(2, 1);
  return r;
}

void TRichButton::UpdateView() {
  QPalette pal = view_->palette();
  pal.setColor(QPalette::Base, ColorFromBgr(color_));
  pal.setColor(QPalette::Window, ColorFromBgr(color_));
  pal.setColor(QPalette::Text, ColorFromBgr(fontColor_));
  view_->setPalette(pal);
  const QRect r = TextRect();
  view_->setGeometry(r);
  view_->setVisible(r.width() > 0 && r.height() > 0);
  update();
}

void TRichButton::UpdateText() {
  const QString joined = lines_.join(QLatin1Char('\n'));
  if (Qt::mightBeRichText(joined)) {
    QString html;
    for (const QString& line : lines_)
      html += QStringLiteral("<p>") + line + QStringLiteral("</p>");
    view_->setHtml(html);
  } else {
    view_->setPlainText(joined);
  }
  Qt::Alignment align = Qt::AlignLeft;
  if (alignment_ == taRightJustify) align = Qt::AlignRight;
  if (alignment_ == taCenter) align = Qt::AlignHCenter;
  QTextCursor cursor(view_->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat format;
  format.setAlignment(align);
  format.setTopMargin(0);
  format.setBottomMargin(0);
  cursor.mergeBlockFormat(format);
  update();
}

void TRichButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const QColor face = ColorFromBgr(color_);
  const QColor light = pal.color(QPalette::Light);
  const QColor shadow = pal.color(QPalette::Dark);
  QRect r = rect();
  painter.fillRect(r, face);
  if (borderStyle_ == bsSingle) DrawFrame3D(painter, r, Qt::black, Qt::black, 1);
  if (focus_) {
    const QColor c = mouseOver_ ? ColorFromBgr(focusColor_) : face;
    DrawFrame3D(painter, r, c, c, focusWidth_);
  }
  auto bevel = [&](TBevelCut cut, bool swap) {
    if (cut == bvNone) return;
    bool raised = cut == bvRaised;
    if (swap) raised = !raised;
    if (cut == bvSpace) {
      DrawFrame3D(painter, r, face, face, bevelWidth_);
    } else {
      DrawFrame3D(painter, r, raised ? light : shadow, raised ? shadow : light, bevelWidth_);
    }
  };
  bevel(bevelOuter_, IsDown());
  DrawFrame3D(painter, r, face, face, borderWidth_);
  bevel(bevelInner_, false);
}

void TRichButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateView();
}

void TRichButton::SetMouseOver(bool over) {
  if (over == mouseOver_) return;
  mouseOver_ = over;
  if (focus_) update();
}

void TRichButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  pressed_ = true;
  stateBeforePress_ = state_;
  SetState(rbDown);
}

void TRichButton::mouseMoveEvent(QMouseEvent* event) {
  const bool inside = rect().contains(event->position().toPoint());
  SetMouseOver(inside);
  if (pressed_) SetState(inside ? rbDown : stateBeforePress_);
}

void TRichButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  SetMouseOver(inside);
  if (!inside) {
    SetState(stateBeforePress_);
    return;
  }
  SetState(stateBeforePress_);
  Click();
}

void TRichButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space) {
    if (!event->isAutoRepeat() && !pressed_) Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TRichButton::Click() {
  if (allowDown_) {
    SetState(state_ == rbSticky ? rbUp : rbSticky);
  } else {
    SetState(rbUp);
  }
  emit OnClick();
}

void TRichButton::enterEvent(QEnterEvent*) { SetMouseOver(true); }

void TRichButton::leaveEvent(QEvent*) { SetMouseOver(false); }

void TRichButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    pressed_ = false;
    if (state_ == rbDown) SetState(stateBeforePress_);
  }
}

}  // namespace kurvio
