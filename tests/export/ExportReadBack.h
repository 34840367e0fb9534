// SPDX-License-Identifier: GPL-3.0-or-later
// Reading exported pictures back: JPEG files through libjpeg, printed PDF
// pages through pdftoppm.
#pragma once

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace kurvio::testing {

// libjpeg reads back what the writer wrote.
inline QImage DecodeJpeg(const std::string& bytes) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  QImage image(info.output_width, info.output_height, QImage::Format_RGB888);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(info.output_scanline);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

inline bool HavePdftoppm() { return std::system("command -v pdftoppm > /dev/null 2>&1") == 0; }

// Rasterises page 1 of a PDF at `dpi` as 8-bit grey; empty when pdftoppm is missing.
inline QImage RasterisePdf(const std::string& pdf, int dpi, const std::string& prefix) {
  const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -gray -singlefile " + pdf +
                              " " + prefix + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  QImageReader reader(QString::fromStdString(prefix + ".pgm"));
  reader.setAllocationLimit(0);  // a page at 600 dpi is larger than Qt's default limit
  return reader.read();
}

struct DarkRun {
  int row = -1;
  int left = 0;
  int length = 0;  // pixels
};

// The dark horizontal lines of a grey page, each at least `minLength` long:
// runs in a band of two rows (a thin line may fall between two rows), one per
// line however many rows it covers, taken on over gaps of up to `gap` pixels.
inline std::vector<DarkRun> HorizontalLines(const QImage& page, int minLength, int gap = 3) {
  auto dark = [&](int x, int y) {
    return std::min(page.constScanLine(y)[x], page.constScanLine(y + 1)[x]) < 128;
  };
  std::vector<DarkRun> lines;
  std::vector<int> lastRows;  // the lowest row each line has been seen in
  for (int y = 0; y + 1 < page.height(); ++y) {
    for (int x = 0; x < page.width();) {
      if (!dark(x, y)) {
        ++x;
        continue;
      }
      int right = x;
      for (int k = x + 1; k < page.width() && k - right <= gap + 1; ++k)
        if (dark(k, y)) right = k;
      const DarkRun run{y, x, right - x + 1};
      x = right + 1;
      if (run.length < minLength) continue;
      // The same line one row further down.
      bool seen = false;
      for (std::size_t i = 0; i < lines.size() && !seen; ++i)
        if (y - lastRows[i] <= 1 && std::abs(lines[i].left - run.left) <= gap &&
            std::abs(lines[i].length - run.length) <= 2 * gap) {
          lastRows[i] = y;
          seen = true;
        }
      if (!seen) {
        lines.push_back(run);
        lastRows.push_back(y);
      }
    }
  }
  return lines;
}

}  // namespace kurvio::testing
