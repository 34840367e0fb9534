// Drawing on a window's off-screen image through the shared DrawCanvas.
#pragma once

#include <functional>

class QFont;
class QImage;

namespace kurvio {

struct PixelBox;

// Runs `draw` with DrawCanvas on `image`, in the window's `font`; during an
// export (ExportDrawing) it runs on the export canvas as it is instead.
// DrawCanvas is put back afterwards. `drawn`, where given, receives the box
// around all that was drawn on the image.
void DrawOn(QImage& image, const QFont& font, const std::function<void()>& draw,
            PixelBox* drawn = nullptr);

}  // namespace kurvio
