// SPDX-License-Identifier: GPL-3.0-or-later
// A push button whose caption wraps over several lines when it does not fit.
#pragma once

#include <QPushButton>

namespace kurvio {

class TSMButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

 public:
  explicit TSMButton(QWidget* parent = nullptr);
  explicit TSMButton(const QString& caption, QWidget* parent = nullptr);

  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);

  // The area inside the frame in which the caption is laid out.
  QRect CaptionRect() const;
  // Number of lines the caption takes at the current width.
  int CaptionLineCount() const;

  bool hasHeightForWidth() const override { return wordWrap_; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int TextFlags() const;

  bool wordWrap_ = true;
};

}  // namespace kurvio
