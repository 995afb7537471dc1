// platform/image_png.cpp - the PNG writer, through Qt's PNG encoder.
#include <QBuffer>
#include <QImageWriter>

#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {

int64_t WriteImagePNG(const Image* image, std::string_view path) {
  if (!image) return ResultFailed;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(ImageToQImage(*image))) return ResultWriteError;
  return WriteBytesReplacing(path, png);
}

}  // namespace qv
