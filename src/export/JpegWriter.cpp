// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/JpegWriter.h"

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

#include "export/ExportFile.h"

namespace kurvio {
namespace {

// libjpeg reports errors by calling error_exit, which must not return; it
// jumps back to the encoder, which gives up cleanly.
struct Encoder {
  jpeg_error_mgr errors;  // first, so the error handler finds the encoder
  jpeg_compress_struct info;
  std::jmp_buf failed;
  char message[JMSG_LENGTH_MAX];
  unsigned char* buffer;
  unsigned long size;
};

void OnJpegError(j_common_ptr info) {
  Encoder* e = reinterpret_cast<Encoder*>(info->err);
  (*info->err->format_message)(info, e->message);
  std::longjmp(e->failed, 1);
}

// All state lives in *e, so nothing the jump skips needs care.
bool Encode(Encoder* e, const QImage* rgb, int quality) {
  e->info.err = jpeg_std_error(&e->errors);
  e->errors.error_exit = OnJpegError;
  if (setjmp(e->failed)) {
    jpeg_destroy_compress(&e->info);
    return false;
  }
  jpeg_create_compress(&e->info);
  jpeg_mem_dest(&e->info, &e->buffer, &e->size);
  e->info.image_width = static_cast<JDIMENSION>(rgb->width());
  e->info.image_height = static_cast<JDIMENSION>(rgb->height());
  e->info.input_components = 3;
  e->info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&e->info);
  jpeg_set_quality(&e->info, quality, TRUE);
  for (int c = 0; c < e->info.num_components; ++c) {
    e->info.comp_info[c].h_samp_factor = 1;
    e->info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&e->info, TRUE);
  while (e->info.next_scanline < e->info.image_height) {
    JSAMPROW row =
        const_cast<JSAMPROW>(rgb->constScanLine(static_cast<int>(e->info.next_scanline)));
    jpeg_write_scanlines(&e->info, &row, 1);
  }
  jpeg_finish_compress(&e->info);
  jpeg_destroy_compress(&e->info);
  return true;
}

}  // namespace

bool EncodeJpeg(const QImage& image, int quality, std::string& out, std::string& error) {
  out.clear();
  if (image.isNull() || image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION) {
    error = "Das Bild ist leer oder zu groß.";
    return false;
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  Encoder e{};
  const bool ok = Encode(&e, &rgb, quality);
  if (ok && e.buffer) out.assign(reinterpret_cast<const char*>(e.buffer), e.size);
  std::free(e.buffer);
  if (!ok) error = e.message;
  return ok;
}

bool WriteJpeg(const QImage& image, const QString& path, QString* error) {
  std::string bytes, why;
  if (!EncodeJpeg(image, 100, bytes, why)) {
    if (error) *error = QString::fromStdString(why);
    return false;
  }
  return WriteExportFile(path, bytes, error);
}

}  // namespace kurvio
