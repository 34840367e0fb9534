// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/WidgetPaint.h"

#include <QPainter>
#include <QPalette>

namespace kurvio {

QColor ColorFromBgr(int bgr) {
  const auto v = static_cast<unsigned>(bgr);
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int BgrFromColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void DrawFrame3D(QPainter& painter, QRect& r, const QColor& topLeft, const QColor& bottomRight,
                 int width) {
  for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    r.adjust(1, 1, -1, -1);
  }
}

void DrawEdge(QPainter& painter, const QRect& r, EdgeKind kind, const QPalette& palette) {
  QRect ring = r;
  if (kind == EdgeKind::Raised) {
    DrawFrame3D(painter, ring, palette.color(QPalette::Light), palette.color(QPalette::Shadow), 1);
    DrawFrame3D(painter, ring, palette.color(QPalette::Midlight), palette.color(QPalette::Dark), 1);
  } else {
    DrawFrame3D(painter, ring, palette.color(QPalette::Dark), palette.color(QPalette::Light), 1);
    DrawFrame3D(painter, ring, palette.color(QPalette::Shadow), palette.color(QPalette::Midlight),
                1);
  }
}

void DrawFocusRect(QPainter& painter, const QRect& r) {
  if (r.width() < 1 || r.height() < 1) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) painter.fillRect(QRect(x, y, 1, 1), Qt::white);
  };
  for (int x = r.left(); x <= r.right(); ++x) {
    dot(x, r.top());
    if (r.bottom() != r.top()) dot(x, r.bottom());
  }
  for (int y = r.top() + 1; y < r.bottom(); ++y) {
    dot(r.left(), y);
    if (r.right() != r.left()) dot(r.right(), y);
  }
  painter.restore();
}

}  // namespace kurvio
