// platform/image_bmp.cpp - the Windows bitmap writer.
//
// File layout, little-endian:
//   offset size  field
//      0     2   "BM"
//      2     4   file size = pixel offset + sizeImage
//      6     4   two reserved zero words
//     10     4   pixel offset = 14 + 40 + 4 x palette entries
//     14    40   the information header (BitmapInfoHeader, field for field)
//     54   4 n   palette: blue, green, red, 0 (n = 2^bits up to 8 bits, else 0)
//      ...       rows, bottom row first, each padded to a multiple of 4 bytes
#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int FileHeaderSize = 14;

std::vector<uint8_t> BitmapHeaders(const BitmapInfoHeader& h, int paletteEntries) {
  const uint32_t offset = FileHeaderSize + h.size + 4 * paletteEntries;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutLE32(out, offset + h.sizeImage);
  PutLE32(out, 0);
  PutLE32(out, offset);
  PutLE32(out, h.size);
  PutLE32(out, h.width);
  PutLE32(out, h.height);
  PutLE16(out, h.planes);
  PutLE16(out, h.bitCount);
  PutLE32(out, h.compression);
  PutLE32(out, h.sizeImage);
  PutLE32(out, h.xPelsPerMeter);
  PutLE32(out, h.yPelsPerMeter);
  PutLE32(out, h.clrUsed);
  PutLE32(out, h.clrImportant);
  return out;
}

// Rows of 24 or 32 bits from the 32-bit pixels; the fourth byte of a 32-bit pixel is 0.
bool WriteTrueColourRows(PlatformFile& file, const Image& image) {
  const QImage pixels = ImageToQImage(image);
  const int bits = image.header.bitCount, width = image.header.width;
  std::vector<uint8_t> row(ImageRowBytes(width, bits), 0);
  for (int y = image.header.height - 1; y >= 0; --y) {
    const auto* in = reinterpret_cast<const uint32_t*>(pixels.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      uint8_t* out = row.data() + x * bits / 8;
      out[0] = static_cast<uint8_t>(in[x]);
      out[1] = static_cast<uint8_t>(in[x] >> 8);
      out[2] = static_cast<uint8_t>(in[x] >> 16);
      if (bits == 32) out[3] = 0;
    }
    if (!WriteBytes(file, row)) return false;
  }
  return true;
}

}  // namespace

int64_t WriteImageBMP(const Image* image, std::string_view path) {
  if (!image) return ResultFailed;
  const int bits = image->header.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return ResultFailed;
  const int paletteEntries = bits <= 8 ? 1 << bits : 0;
  return WriteReplacing(path, [&](PlatformFile& file) {
    std::vector<uint8_t> head = BitmapHeaders(image->header, paletteEntries);
    for (int i = 0; i < paletteEntries; ++i) {
      const PaletteEntry& e = image->palette[i];
      head.insert(head.end(), {e.blue, e.green, e.red, 0});
    }
    if (!WriteBytes(file, head)) return false;
    return bits <= 8 ? WriteBytes(file, image->rows) : WriteTrueColourRows(file, *image);
  });
}

}  // namespace qv
