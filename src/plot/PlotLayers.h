// SPDX-License-Identifier: GPL-3.0-or-later
// The off-screen pictures of a graph window: the live back buffer and a
// layer that keeps what changes seldom (coordinate system, fixed curves).
// They are combined by a bitwise AND of the pixels, so on a white background
// both show and dark lines win.
#pragma once

#include <QImage>
#include <QRect>

namespace kurvio {

class PlotLayers {
 public:
  // Both pictures take the size (and the paint box's font through the canvas)
  // when the window repaints; the contents are redrawn afterwards.
  void Resize(int width, int height);
  QImage& BackBuffer() { return back_; }
  QImage& FixedLayer() { return fixed_; }
  // back := back AND fixed.
  void CombineAnd();

 private:
  QImage back_;
  QImage fixed_;
};

// target := target AND source, over the area both cover.
void AndImages(QImage& target, const QImage& source);
// target := first AND second within `area` (clipped to the three images); elsewhere target stays.
// All three are RGB32.
void AndImagesInto(QImage& target, const QImage& first, const QImage& second, const QRect& area);

}  // namespace kurvio
