// The AND of two layers, pixel for pixel against a plain loop.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <random>

#include "plot/PlotLayers.h"

namespace kurvio {
namespace {

QImage Noise(int width, int height, unsigned seed) {
  QImage image(width, height, QImage::Format_RGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, random() | 0xFF000000u);
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
  // Widths around the vector length, and sizes that differ both ways.
  const QSize sizes[][2] = {{{1, 1}, {1, 1}},   {{3, 2}, {3, 2}},   {{7, 5}, {7, 5}},
                            {{17, 9}, {17, 9}}, {{33, 4}, {20, 6}}, {{20, 6}, {33, 4}}};
  unsigned seed = 1;
  for (const auto& size : sizes) {
    QImage target = Noise(size[0].width(), size[0].height(), seed++);
    const QImage source = Noise(size[1].width(), size[1].height(), seed++);
    const QImage expected = Expected(target, source);
    AndImages(target, source);
    EXPECT_EQ(target, expected) << size[0].width() << "x" << size[0].height();
  }
}

TEST(PlotLayers, AndImagesOfSharedOrOtherFormatsIsStillTheAnd) {
  // With itself, and with a copy that shares its pixels: nothing changes.
  QImage image = Noise(19, 7, 11);
  const QImage before = image.copy();
  AndImages(image, image);
  EXPECT_EQ(image, before);
  const QImage shared = image;
  AndImages(image, shared);
  EXPECT_EQ(image, before);
  EXPECT_EQ(shared, before);

  // A source in another format is converted first.
  QImage target = Noise(13, 5, 12);
  const QImage source = Noise(13, 5, 13).convertToFormat(QImage::Format_ARGB32);
  const QImage expected = Expected(target, source.convertToFormat(QImage::Format_RGB32));
  AndImages(target, source);
  EXPECT_EQ(target, expected);
}

}  // namespace
}  // namespace kurvio
