// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing on a window's off-screen image in a frame.
#pragma once

#include <functional>

class QFont;
class QImage;
class QWidget;

namespace kurvio {

struct DrawFrame;
struct ExportTarget;
struct PixelBox;
class WindowFrames;

// Runs `draw` with the canvas of `frame` on `image`, in the window's `font`
// (the canvas is put back afterwards); an export's frame (forExport) draws on
// the export's canvas as it is instead. `drawn`, where given, receives the box
// around all that was drawn on the image.
void DrawOn(QImage& image, const QFont& font, DrawFrame& frame,
            const std::function<void()>& draw, PixelBox* drawn = nullptr);

// A window's picture for an export: `redraw` runs in the export's frame (`frames`
// giving it, `frame` the window's frame put back afterwards) and again on screen
// once the export is over; the view of the settings and presentation mode as they are.
ExportTarget WindowPicture(WindowFrames& frames, DrawFrame& frame, std::function<void()> redraw,
                           QWidget* paintBox);

}  // namespace kurvio
