// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing area of a graph window: shows the window's picture and reports
// the mouse in its own pixel coordinates.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace kurvio {

class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPaintBox(QWidget* parent = nullptr);

  // The picture shown; the paint box does not own it. Null shows the background.
  void SetPicture(const QImage* picture);
  const QImage* Picture() const { return picture_; }
  // Copies the picture to the screen now.
  void Show();
  // Copies the part of the picture within `area` to the screen now.
  void Show(const QRect& area);

 signals:
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  // The mouse itself (not a window's own MouseMove): the pointer at (x, y), the
  // pointer gone, and a turn of the wheel there (120 per notch, positive away
  // from the user).
  void PointerAt(int x, int y);
  void PointerLeft();
  void Wheel(int x, int y, int angleDelta);
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const QImage* picture_ = nullptr;
};

}  // namespace kurvio
