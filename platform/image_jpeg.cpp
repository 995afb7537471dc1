// platform/image_jpeg.cpp - JPEG with libjpeg: the chart image writer (quality 90, baseline) and
// the reader of planet surface maps.
//
// libjpeg reports fatal errors through error_exit, which must not return: ours jumps back to the
// call that started the work, which destroys the codec and reports failure. The functions that
// call setjmp keep no local they change afterwards.
#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>
// After the C++ headers: jpeglib.h uses FILE and size_t without declaring them.
#include <jpeglib.h>

#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {
namespace {

// Damaged data makes libjpeg warn and go on; past this many warnings the file is refused.
constexpr int JpegMaxWarnings = 100;
// A progressive file may hold any number of scans; real ones hold about ten.
constexpr int JpegMaxScans = 1000;

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  int warnings = 0;
};

[[noreturn]] void FailJpeg(j_common_ptr codec) {
  std::longjmp(reinterpret_cast<JpegErrors*>(codec->err)->jump, 1);
}

// Messages are not printed: the caller decides what the user sees.
void CountJpegMessage(j_common_ptr codec, int level) {
  auto* errors = reinterpret_cast<JpegErrors*>(codec->err);
  if (level < 0 && ++errors->warnings > JpegMaxWarnings) FailJpeg(codec);
}

void LimitScans(j_common_ptr codec) {
  if (codec->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(codec)->input_scan_number > JpegMaxScans) {
    FailJpeg(codec);
  }
}

void InitErrors(JpegErrors& errors) {
  jpeg_std_error(&errors.manager);
  errors.manager.error_exit = FailJpeg;
  errors.manager.emit_message = CountJpegMessage;
}

bool CompressJpeg(const QImage& pixels, std::FILE* out) {
  jpeg_compress_struct codec;
  JpegErrors errors;
  InitErrors(errors);
  codec.err = &errors.manager;
  std::vector<uint8_t> row(3 * size_t(pixels.width()));
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&codec);
    return false;
  }
  jpeg_create_compress(&codec);
  jpeg_stdio_dest(&codec, out);
  codec.image_width = pixels.width();
  codec.image_height = pixels.height();
  codec.input_components = 3;
  codec.in_color_space = JCS_RGB;
  jpeg_set_defaults(&codec);
  jpeg_set_quality(&codec, JpegQuality, TRUE);
  jpeg_start_compress(&codec, TRUE);
  while (codec.next_scanline < codec.image_height) {
    RowToRGB(pixels, static_cast<int>(codec.next_scanline), row.data());
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&codec, &line, 1);
  }
  jpeg_finish_compress(&codec);
  jpeg_destroy_compress(&codec);
  return true;
}

// Decompress: fills out or returns a failure; out may hold part of the pixels on failure.
int Decompress(std::span<const uint8_t> bytes, RgbPixels& out) {
  jpeg_decompress_struct codec;
  JpegErrors errors;
  InitErrors(errors);
  jpeg_progress_mgr progress{};
  progress.progress_monitor = LimitScans;
  codec.err = &errors.manager;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&codec);
    return ResultReadError;
  }
  jpeg_create_decompress(&codec);
  codec.progress = &progress;
  jpeg_mem_src(&codec, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&codec, TRUE);
  if (int64_t{codec.image_width} * codec.image_height > JpegMaxPixels)
    FailJpeg(reinterpret_cast<j_common_ptr>(&codec));
  codec.out_color_space = JCS_RGB;
  jpeg_start_decompress(&codec);
  if (codec.output_components != 3) FailJpeg(reinterpret_cast<j_common_ptr>(&codec));
  out.width = static_cast<int>(codec.output_width);
  out.height = static_cast<int>(codec.output_height);
  try {
    out.rgb.assign(size_t(out.width) * out.height * 3, 0);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&codec);
    return ResultNoMemory;
  }
  while (codec.output_scanline < codec.output_height) {
    JSAMPROW line = out.rgb.data() + size_t(codec.output_scanline) * out.width * 3;
    jpeg_read_scanlines(&codec, &line, 1);
  }
  jpeg_finish_decompress(&codec);
  jpeg_destroy_decompress(&codec);
  return ResultOk;
}

}  // namespace

int64_t WriteImageJPEG(const Image* image, std::string_view path) {
  if (!image) return ResultFailed;
  return WriteReplacing(path, [&](PlatformFile& file) {
    return CompressJpeg(ImageToQImage(*image), FileStream(file));
  });
}

int DecodeJPEG(std::span<const uint8_t> bytes, RgbPixels& out) {
  out = RgbPixels();
  if (bytes.empty()) return ResultReadError;
  const int result = Decompress(bytes, out);
  if (result != ResultOk) out = RgbPixels();
  return result;
}

int ReadJPEG(std::string_view path, RgbPixels& out) {
  out = RgbPixels();
  std::vector<uint8_t> bytes;
  const int result = ReadWholeFile(path, bytes);
  if (result != ResultOk) return result;
  return DecodeJPEG(bytes, out);
}

Image* ReadJPEGImage(std::string_view path) {
  RgbPixels pixels;
  if (ReadJPEG(path, pixels) != ResultOk) return nullptr;
  Image* image = NewImage(pixels.width, pixels.height, 32);
  if (!image) return nullptr;
  for (int y = 0; y < pixels.height; ++y) {
    uint8_t* row = ImageRow(image, y);
    const uint8_t* rgb = pixels.rgb.data() + size_t(y) * pixels.width * 3;
    for (int x = 0; x < pixels.width; ++x) {
      SetPixelValue(image, row, x, PixelValueFromRGB(rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]));
    }
  }
  return image;
}

}  // namespace qv
