// Drawing on a window's off-screen image in a frame.
#pragma once

#include <functional>

class QFont;
class QImage;

namespace kurvio {

struct DrawFrame;
struct PixelBox;

// Runs `draw` with the canvas of `frame` on `image`, in the window's `font`
// (the canvas is put back afterwards); an export's frame (forExport) draws on
// the export's canvas as it is instead. `drawn`, where given, receives the box
// around all that was drawn on the image.
void DrawOn(QImage& image, const QFont& font, DrawFrame& frame,
            const std::function<void()>& draw, PixelBox* drawn = nullptr);

}  // namespace kurvio
