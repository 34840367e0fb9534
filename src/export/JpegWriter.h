// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG files from off-screen bitmaps, through libjpeg.
#pragma once

#include <QString>
#include <string>

class QImage;

namespace kurvio {

// The image as JPEG bytes at the given quality, with full colour resolution
// (no chroma subsampling: plots are thin coloured lines). False with a reason
// on failure.
bool EncodeJpeg(const QImage& image, int quality, std::string& out, std::string& error);

// Writes the image at quality 100, whole or not at all. False with the reason on failure.
bool WriteJpeg(const QImage& image, const QString& path, QString* error = nullptr);

}  // namespace kurvio
