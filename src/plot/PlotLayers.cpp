// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotLayers.h"

#include <algorithm>

namespace kurvio {

void PlotLayers::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (back_.width() == width && back_.height() == height) return;
  back_ = QImage(width, height, QImage::Format_RGB32);
  fixed_ = QImage(width, height, QImage::Format_RGB32);
  back_.fill(Qt::white);
  fixed_.fill(Qt::white);
}

void PlotLayers::CombineAnd() { AndImages(back_, fixed_); }

void AndImages(QImage& target, const QImage& source) {
  if (target.format() != QImage::Format_RGB32 || source.format() != QImage::Format_RGB32) {
    target = target.convertToFormat(QImage::Format_RGB32);
    AndImages(target, source.convertToFormat(QImage::Format_RGB32));
    return;
  }
  if (&target == &source) return;  // an image ANDed with itself stays as it is
  const int w = std::min(target.width(), source.width());
  const int h = std::min(target.height(), source.height());
  for (int y = 0; y < h; ++y) {
    // scanLine detaches target, so the two rows never overlap and are ANDed
    // a vector at a time.
    auto* __restrict t = reinterpret_cast<quint32*>(target.scanLine(y));
    const auto* __restrict s = reinterpret_cast<const quint32*>(source.constScanLine(y));
    for (int x = 0; x < w; ++x) t[x] &= s[x];
  }
}

void AndImagesInto(QImage& target, const QImage& first, const QImage& second, const QRect& area) {
  const QRect box = area & target.rect() & first.rect() & second.rect();
  if (box.isEmpty()) return;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    auto* __restrict t = reinterpret_cast<quint32*>(target.scanLine(y)) + box.left();
    const auto* __restrict a = reinterpret_cast<const quint32*>(first.constScanLine(y)) + box.left();
    const auto* __restrict b = reinterpret_cast<const quint32*>(second.constScanLine(y)) + box.left();
    for (int x = 0; x < box.width(); ++x) t[x] = a[x] & b[x];
  }
}

}  // namespace kurvio
