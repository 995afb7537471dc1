// platform/image_png.cpp - the PNG writer, through libpng's simplified interface. Charts are
// written with its fast setting (no row filters, zlib level 3): they are mostly flat colour,
// which packs to about the size of the default setting's file in a fifth of the time.
#include <png.h>

#include <QImage>

#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {

int64_t WriteImagePNG(const Image* image, std::string_view path) {
  if (!image) return ResultFailed;
  const QImage rgb = ImageToQImage(*image).convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) return ResultNoMemory;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(rgb.width());
  png.height = static_cast<png_uint_32>(rgb.height());
  png.format = PNG_FORMAT_RGB;
  // Not marked sRGB: libpng then writes only the usual gamma of 1/2.2, and viewers show the
  // colours as they showed Qt's files, which had no colour chunk at all.
  png.flags = PNG_IMAGE_FLAG_FAST | PNG_IMAGE_FLAG_COLORSPACE_NOT_sRGB;
  return WriteReplacing(path, [&](PlatformFile& file) {
    const int ok = png_image_write_to_stdio(&png, FileStream(file), 0, rgb.constBits(),
                                            static_cast<png_int_32>(rgb.bytesPerLine()), nullptr);
    png_image_free(&png);
    return ok != 0;
  });
}

}  // namespace qv
