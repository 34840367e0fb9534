// SPDX-License-Identifier: GPL-3.0-or-later
// Presentation mode on a device: what a projector needs beyond the larger
// pens and offsets that Scaled gives. Texts twice as large; lines and markers
// too pale to be seen on a white ground drawn in a strong colour of the same
// hue; the program's colours that eyes with a red-green or blue-yellow
// deficiency would confuse drawn in colours that stay apart for them
// (plot/ColourVision.h); strips and areas kept light under black curves.
#pragma once

#include <optional>

#include "plot/Canvas.h"
#include "plot/ForwardingCanvas.h"

namespace kurvio {

// The colour drawn for `colour` in presentation mode on `background`: the
// colour itself on a dark ground, for the ground colour itself and for any
// colour that is strong enough already.
Color PresentationColor(Color colour, Color background);
// The colour drawn for an area (Brush::area) in presentation mode: light enough
// that black curves over it keep a contrast of at least 7 : 1, a paler one as
// it is; on a dark ground the colour itself.
Color PresentationAreaColor(Color colour, Color background);

// A canvas that hands every call on to `device` with the pen, brush and font
// as presentation mode draws them on `background`.
class PresentationCanvas : public ForwardingCanvas {
 public:
  PresentationCanvas(Canvas& device, Color background)
      : ForwardingCanvas(device), background_(background) {}

 private:
  // Gives the device this canvas's state as presentation mode draws it.
  void Pass() override;
  struct ColourCache {
    bool valid = false;
    Color in = 0, ground = 0, out = 0;
    Color Shown(Color colour, Color background, Color (*shown)(Color, Color));
  };
  const Color background_;
  ColourCache penColours_, brushColours_, areaColours_;
  std::optional<Font> shownFont_;  // the font last passed on
};

// The canvas a picture is drawn on: the device itself, or in presentation
// mode the device seen through a PresentationCanvas on the picture's background.
class PictureCanvas {
 public:
  PictureCanvas(Canvas& device, bool presentation, Color background);
  Canvas* get() { return shown_ ? &*shown_ : &device_; }

 private:
  Canvas& device_;
  std::optional<PresentationCanvas> shown_;
};

}  // namespace kurvio
