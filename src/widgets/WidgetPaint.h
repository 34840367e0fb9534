// SPDX-License-Identifier: GPL-3.0-or-later
// Small drawing helpers and value types shared by the custom controls.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

namespace kurvio {

// Colours of the program are 0x00BBGGRR integers (255 is red); bits above the
// 24-bit colour are ignored.
QColor ColorFromBgr(int bgr);
int BgrFromColor(const QColor& color);

// Width of a 3-D edge in pixels.
constexpr int kEdgeWidth = 2;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class EdgeKind { Raised, Sunken };

// A two-pixel 3-D edge just inside r, in the palette's light and shadow colours.
void DrawEdge(QPainter& painter, const QRect& r, EdgeKind kind, const QPalette& palette);

// One ring of a 3-D frame of the given width just inside r: topLeft along the
// top and left, bottomRight along the bottom and right. Shrinks r by the width.
void DrawFrame3D(QPainter& painter, QRect& r, const QColor& topLeft, const QColor& bottomRight,
                 int width);

// A dotted rectangle along the edge of r that inverts the pixels under it, so
// that it shows on any background; drawn whenever the control has the focus,
// not only after keyboard navigation as some styles do.
void DrawFocusRect(QPainter& painter, const QRect& r);

}  // namespace kurvio
