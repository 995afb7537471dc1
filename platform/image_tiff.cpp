// platform/image_tiff.cpp - the TIFF writer (libtiff): one uncompressed image, RGB above 8 bits,
// the rows as they are at 8 bits or fewer.
#include <tiffio.h>

#include <vector>

#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {
namespace {

// libtiff writes through these into the temporary file; it never reads a file it creates.
PlatformFile& FileOf(thandle_t handle) { return *static_cast<PlatformFile*>(handle); }
tsize_t ReadProc(thandle_t, tdata_t, tsize_t) { return -1; }
tsize_t WriteProc(thandle_t handle, tdata_t data, tsize_t size) {
  return WriteBytes(FileOf(handle),
                    std::span<const uint8_t>(static_cast<const uint8_t*>(data), size))
             ? size
             : -1;
}
toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  PlatformFile& file = FileOf(handle);
  if (!SeekFile(file, static_cast<int64_t>(offset), static_cast<SeekOrigin>(whence)))
    return static_cast<toff_t>(-1);
  return static_cast<toff_t>(TellFile(file));
}
int CloseProc(thandle_t) { return 0; }  // the file is committed or abandoned by the caller
toff_t SizeProc(thandle_t handle) { return static_cast<toff_t>(FileLength(FileOf(handle))); }
int MapProc(thandle_t, tdata_t*, toff_t*) { return 0; }
void UnmapProc(thandle_t, tdata_t, toff_t) {}

bool SetPaletteTags(TIFF* tiff, const Image& image) {
  const int bits = image.header.bitCount;
  if (bits == 1) {
    const int first = image.palette[0].red + image.palette[0].green + image.palette[0].blue;
    const int second = image.palette[1].red + image.palette[1].green + image.palette[1].blue;
    return TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC,
                        first <= second ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_MINISWHITE);
  }
  const int entries = 1 << bits;
  std::vector<uint16_t> red(entries), green(entries), blue(entries);
  for (int i = 0; i < entries; ++i) {
    red[i] = static_cast<uint16_t>(image.palette[i].red * 257);
    green[i] = static_cast<uint16_t>(image.palette[i].green * 257);
    blue[i] = static_cast<uint16_t>(image.palette[i].blue * 257);
  }
  return TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE) &&
         TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

bool WriteTiff(TIFF* tiff, const Image& image) {
  const int width = image.header.width, height = image.header.height;
  const bool rgb = image.header.bitCount > 8;
  bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) &&
            TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height) &&
            TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, rgb ? 8 : image.header.bitCount) &&
            TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, rgb ? 3 : 1) &&
            TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
            TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
            (rgb ? TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB)
                 : SetPaletteTags(tiff, image));
  if (!ok) return false;
  if (!rgb) {
    for (int y = 0; y < height && ok; ++y) {
      ok = TIFFWriteScanline(tiff, const_cast<uint8_t*>(ImageRow(&image, y)), y, 0) == 1;
    }
    return ok;
  }
  const QImage pixels = ImageToQImage(image);
  std::vector<uint8_t> row(3 * size_t(width));
  for (int y = 0; y < height && ok; ++y) {
    RowToRGB(pixels, y, row.data());
    ok = TIFFWriteScanline(tiff, row.data(), y, 0) == 1;
  }
  return ok;
}

}  // namespace

int64_t WriteImageTIFF(const Image* image, std::string_view path) {
  if (!image) return ResultFailed;
  // Failures reach the user as message 259 from the caller, not as libtiff's text on stderr.
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  return WriteReplacing(path, [&](PlatformFile& file) {
    TIFF* tiff = TIFFClientOpen("image", "w", &file, ReadProc, WriteProc, SeekProc, CloseProc,
                                SizeProc, MapProc, UnmapProc);
    if (!tiff) return false;
    const bool written = WriteTiff(tiff, *image) && TIFFFlush(tiff) == 1;
    TIFFClose(tiff);
    return written;
  });
}

}  // namespace qv
