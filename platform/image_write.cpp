// platform/image_write.cpp - the safe-replace frame and row conversion of the image writers.
#include "platform/image_write.h"

#include <span>

#include "platform/result.h"

namespace qv {

int64_t WriteReplacing(std::string_view path, const std::function<bool(PlatformFile&)>& write) {
  FileHandle file = OpenFileForReplace(path);
  if (!file) return ResultOpenError;
  const bool written = write(*file);
  return FinishReplacing(std::move(file), written);
}

int64_t WriteBytesReplacing(std::string_view path, const QByteArray& bytes) {
  if (bytes.isEmpty()) return ResultWriteError;
  const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                      static_cast<size_t>(bytes.size()));
  return WriteReplacing(path, [&](PlatformFile& file) { return WriteBytes(file, data); });
}

int64_t FinishReplacing(FileHandle file, bool written) {
  if (!written || FileFailed(*file)) {
    AbandonReplacedFile(std::move(file));
    return ResultWriteError;
  }
  const int64_t length = FileLength(*file);
  if (CommitReplacedFile(std::move(file)) != ResultOk || length <= 0) return ResultWriteError;
  return length;
}

void RowToRGB(const QImage& pixels, int y, uint8_t* rgb) {
  const auto* row = reinterpret_cast<const uint32_t*>(pixels.constScanLine(y));
  for (int x = 0; x < pixels.width(); ++x) {
    rgb[3 * x] = static_cast<uint8_t>(row[x] >> 16);
    rgb[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
    rgb[3 * x + 2] = static_cast<uint8_t>(row[x]);
  }
}

}  // namespace qv
