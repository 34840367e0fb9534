// SPDX-License-Identifier: GPL-3.0-or-later
// A picture a test keeps in tests/pictures as PNG and compares pixel by pixel with what
// it drew now. Where they differ, the drawn picture and a difference picture are written
// beside the build and named in the failure; KURVIO_UPDATE_PICTURES=1 keeps the new one.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <string>

#include "support/KeptText.h"

namespace kurvio::testing {

// The kept picture in pale grey, every pixel that differs in red; a size that differs
// shows as red beyond the smaller picture.
inline QImage DifferencePicture(const QImage& kept, const QImage& drawn, int& differing,
                                QRect& where) {
  const int width = std::max(kept.width(), drawn.width());
  const int height = std::max(kept.height(), drawn.height());
  QImage difference(width, height, QImage::Format_RGB32);
  differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool inKept = kept.valid(x, y), inDrawn = drawn.valid(x, y);
      if (inKept && inDrawn && kept.pixel(x, y) == drawn.pixel(x, y)) {
        const int grey = 192 + qGray(kept.pixel(x, y)) / 4;
        difference.setPixel(x, y, qRgb(grey, grey, grey));
        continue;
      }
      difference.setPixel(x, y, qRgb(255, 0, 0));
      ++differing;
      where |= QRect(x, y, 1, 1);
    }
  return difference;
}

inline ::testing::AssertionResult MatchesKeptImage(const std::string& name, const QImage& image) {
  const QImage drawn = image.convertToFormat(QImage::Format_RGB32);
  QImage kept(QString::fromStdString(KeptPath(name)));
  if (!kept.isNull()) kept = kept.convertToFormat(QImage::Format_RGB32);
  if (kept == drawn) return ::testing::AssertionSuccess();
  if (UpdatingKept()) {
    drawn.save(QString::fromStdString(KeptPath(name)), "PNG");
    ADD_FAILURE() << "wrote " << KeptPath(name) << ": look at the change, then run again "
                  << "without KURVIO_UPDATE_PICTURES";
    return ::testing::AssertionFailure() << name << " was kept anew";
  }
  const std::string stem = DifferencePath(name.substr(0, name.rfind('.')));
  int differing = 0;
  QRect where;
  const QImage difference = DifferencePicture(kept, drawn, differing, where);
  drawn.save(QString::fromStdString(stem + ".drawn.png"), "PNG");
  difference.save(QString::fromStdString(stem + ".difference.png"), "PNG");
  return ::testing::AssertionFailure()
         << name << ": " << differing << " pixels differ between (" << where.left() << ", "
         << where.top() << ") and (" << where.right() << ", " << where.bottom() << ")"
         << (kept.isNull() ? " (nothing kept)" : "") << "; drawn: " << stem
         << ".drawn.png, difference: " << stem << ".difference.png";
}

}  // namespace kurvio::testing
