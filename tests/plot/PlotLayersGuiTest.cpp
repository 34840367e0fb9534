// SPDX-License-Identifier: GPL-3.0-or-later
// The AND of two layers, pixel for pixel against a plain loop, and the paint
// box that shows the result.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <random>

#include "plot/PaintBox.h"
#include "plot/PlotLayers.h"

namespace kurvio {
namespace {

QImage Noise(QSize size, unsigned seed) {
  QImage image(size, QImage::Format_RGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, random() | 0xFF000000u);
  return image;
}

// target AND source over the area both cover, one pixel at a time.
QImage Expected(QImage target, const QImage& source) {
  for (int y = 0; y < std::min(target.height(), source.height()); ++y)
    for (int x = 0; x < std::min(target.width(), source.width()); ++x)
      target.setPixel(x, y, target.pixel(x, y) & source.pixel(x, y));
  return target;
}

TEST(PlotLayers, AndImagesMatchesThePixelwiseAnd) {
  // Widths around the vector length, sizes that differ both ways, another format.
  const QSize sizes[][2] = {{{1, 1}, {1, 1}},   {{3, 2}, {3, 2}},   {{7, 5}, {7, 5}},
                            {{17, 9}, {17, 9}}, {{33, 4}, {20, 6}}, {{20, 6}, {33, 4}}};
  unsigned seed = 1;
  for (const auto& size : sizes) {
    QImage target = Noise(size[0], seed++);
    QImage source = Noise(size[1], seed++);
    if (seed == 5) source = source.convertToFormat(QImage::Format_ARGB32);
    const QImage expected = Expected(target, source.convertToFormat(QImage::Format_RGB32));
    AndImages(target, source);
    EXPECT_EQ(target, expected) << size[0].width() << "x" << size[0].height();
  }
  // With itself, or a copy that shares its pixels: nothing changes.
  QImage image = Noise({19, 7}, 11);
  const QImage before = image.copy(), shared = image;
  AndImages(image, image);
  AndImages(image, shared);
  EXPECT_EQ(image, before);
  EXPECT_EQ(shared, before);
}

// What the picture does not cover (while the window grows) is background.
TEST(PlotLayers, PaintBoxShowsThePictureOnBackground) {
  TPaintBox box;
  box.resize(40, 30);
  const QImage picture = Noise({20, 10}, 3);
  box.SetPicture(&picture);
  const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.copy(0, 0, 20, 10), picture);
  for (const QPoint p : {QPoint(25, 5), QPoint(5, 15), QPoint(39, 29)})
    EXPECT_EQ(shown.pixel(p), 0xFFFFFFFFu) << p.x() << "," << p.y();
  box.SetPicture(nullptr);
  EXPECT_EQ(box.grab().toImage().pixel(5, 5), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace kurvio
