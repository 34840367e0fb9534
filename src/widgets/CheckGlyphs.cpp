// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/CheckGlyphs.h"

#include <QPainter>

namespace kurvio {

namespace {

void DrawBox(QPainter& painter, int left, TCheckBoxState state, bool enabled) {
  const int n = kCheckGlyphSize;
  QRect r(left, 0, n, n);
  DrawFrame3D(painter, r, QColor(128, 128, 128), Qt::white, 1);
  DrawFrame3D(painter, r, QColor(64, 64, 64), QColor(212, 208, 200), 1);
  const bool light = enabled && state != cbGrayed;
  painter.fillRect(r, light ? QColor(Qt::white) : QColor(212, 208, 200));
  if (state == cbUnchecked) return;

  const QColor mark = (enabled && state == cbChecked) ? QColor(Qt::black) : QColor(128, 128, 128);
  // A tick three pixels thick: down from (3,5) to (5,7), then up to (9,3).
  for (int dy = 0; dy < 3; ++dy) {
    for (int i = 0; i <= 2; ++i) painter.fillRect(QRect(left + 3 + i, 5 + i + dy, 1, 1), mark);
    for (int i = 1; i <= 4; ++i) painter.fillRect(QRect(left + 5 + i, 7 - i + dy, 1, 1), mark);
  }
}

}  // namespace

QPixmap MakeCheckGlyph(TCheckBoxState state) {
  QImage image(2 * kCheckGlyphSize, kCheckGlyphSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  DrawBox(painter, 0, state, true);
  DrawBox(painter, kCheckGlyphSize, state, false);
  painter.end();
  // Without the flag an opaque picture would lose its alpha channel, and the
  // check box would then take its bottom-left colour for transparent.
  return QPixmap::fromImage(image, Qt::NoOpaqueDetection);
}

void UseStandardCheckGlyphs(TBitCheckBox& box) {
  box.SetUncheckedGlyph(MakeCheckGlyph(cbUnchecked));
  box.SetCheckedGlyph(MakeCheckGlyph(cbChecked));
  box.SetGrayedGlyph(MakeCheckGlyph(cbGrayed));
  box.SetUncheckedNumGlyphs(2);
  box.SetCheckedNumGlyphs(2);
  box.SetGrayedNumGlyphs(2);
}

}  // namespace kurvio
