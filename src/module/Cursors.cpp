// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/Cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace kurvio {
namespace {

QPixmap Blank() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A magnifier; the hot spot is the centre of the glass.
QCursor ZoomCursor() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 4));
  p.drawEllipse(QPoint(11, 11), 8, 8);
  p.drawLine(17, 17, 27, 27);
  p.setPen(QPen(Qt::black, 2));
  p.drawEllipse(QPoint(11, 11), 8, 8);
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(17, 17, 27, 27);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(8, 11, 14, 11);
  p.drawLine(11, 8, 11, 14);
  p.end();
  return QCursor(pixmap, 11, 11);
}

// Four arrows from the centre: something can be moved.
QCursor DragCursor() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  const QPoint c(15, 15);
  auto arrow = [&](int dx, int dy) {
    const QPoint tip = c + QPoint(dx * 12, dy * 12);
    const QPoint side(dy * 4, dx * 4);
    const QPoint base = c + QPoint(dx * 7, dy * 7);
    p.drawLine(c, base);
    p.drawPolygon(QPolygon({tip, base + side, base - side}));
  };
  for (const QColor& colour : {QColor(Qt::white), QColor(Qt::black)}) {
    p.setPen(QPen(colour, colour == Qt::white ? 3 : 1));
    p.setBrush(colour);
    arrow(1, 0);
    arrow(-1, 0);
    arrow(0, 1);
    arrow(0, -1);
  }
  p.end();
  return QCursor(pixmap, c.x(), c.y());
}

}  // namespace

QCursor ProgramCursor(int number) {
  switch (number) {
    case 1:
      return ZoomCursor();
    case 4:
      return DragCursor();
    case 2:
      return QCursor(Qt::CrossCursor);
    case 3:
      return QCursor(Qt::PointingHandCursor);
    default:
      return QCursor(Qt::SizeAllCursor);
  }
}

}  // namespace kurvio
