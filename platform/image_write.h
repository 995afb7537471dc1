// platform/image_write.h - what the image writers share, for platform/ code only.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace qv {

// WriteReplacing: opens a temporary beside path, lets write fill it, and puts it in place when
// write returns true and every byte reached the disk. The bytes written, ResultOpenError or
// ResultWriteError (the temporary is then removed and path untouched).
int64_t WriteReplacing(std::string_view path, const std::function<bool(PlatformFile&)>& write);

// WriteBytesReplacing: WriteReplacing of bytes made in memory (PNG, SVG, PDF encoders);
// ResultWriteError when there are none (the encoder failed).
int64_t WriteBytesReplacing(std::string_view path, const QByteArray& bytes);

// FinishReplacing: puts a temporary from OpenFileForReplace in place when written is true and
// every byte reached the disk, else removes it. The bytes written or ResultWriteError.
int64_t FinishReplacing(FileHandle file, bool written);

// PutLE16 / PutLE32: appends a value in little-endian byte order (bitmap and metafile fields).
inline void PutLE16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
  PutLE16(out, v & 0xffff);
  PutLE16(out, v >> 16);
}

// RowToRGB: row y of RGB32 pixels as red, green, blue bytes (3 x width).
void RowToRGB(const QImage& pixels, int y, uint8_t* rgb);

}  // namespace qv
