// platform/image_gif.cpp - GIF files (GIF87a still images, GIF89a animations) with giflib's
// encoder, written through a temporary file that CloseGIF puts in place.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "platform/image_files.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/result.h"

namespace qv {

struct GifStream {
  FileHandle file;
  GifFileType* gif = nullptr;
  bool gif89 = false;
  int width = 0, height = 0, bits = 0;
  std::array<PaletteEntry, 256> palette{};
  int frames = 0;
  bool failed = false;
};

namespace {

int WriteToFile(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* file = static_cast<PlatformFile*>(gif->UserData);
  return WriteBytes(*file, std::span<const uint8_t>(bytes, count)) ? count : 0;
}

struct ColorMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, ColorMapDeleter>;

ColorMap MakeColorMap(const Image& image) {
  const int count = 1 << image.header.bitCount;
  ColorMap map(GifMakeMapObject(count, nullptr));
  if (!map) return map;
  for (int i = 0; i < count; ++i) {
    map->Colors[i] = {image.palette[i].red, image.palette[i].green, image.palette[i].blue};
  }
  return map;
}

bool IsPaletteImage(const Image* image) {
  return image && !image->rows.empty() && image->header.bitCount <= 8;
}

bool SamePalette(const GifStream& s, const Image& image) {
  return image.header.bitCount == s.bits &&
         std::memcmp(s.palette.data(), image.palette.data(), sizeof(PaletteEntry) << s.bits) == 0;
}

bool PutControlExtension(GifStream& s, bool transparentFlag, int transparentIndex, bool userInput,
                         int delay, int disposal) {
  GraphicsControlBlock control{};
  control.DisposalMode = disposal & 7;
  control.UserInputFlag = userInput;
  control.DelayTime = std::clamp(delay, 0, 65535);
  control.TransparentColor = transparentFlag ? transparentIndex & 0xff : NO_TRANSPARENT_COLOR;
  GifByteType block[4];
  const size_t size = EGifGCBToExtension(&control, block);
  return EGifPutExtension(s.gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(size), block) == GIF_OK;
}

// The frame's rows over the whole screen: cut to it, padded with index 0.
bool PutFrameRows(GifStream& s, const Image& image) {
  std::vector<GifPixelType> line(s.width, 0);
  const int width = std::min(s.width, image.header.width);
  for (int y = 0; y < s.height; ++y) {
    std::fill(line.begin(), line.end(), 0);
    if (y < image.header.height) {
      const uint8_t* row = ImageRow(&image, y);
      for (int x = 0; x < width; ++x)
        line[x] = static_cast<GifPixelType>(GetPixelValue(&image, row, x));
    }
    if (EGifPutLine(s.gif, line.data(), s.width) != GIF_OK) return false;
  }
  return true;
}

}  // namespace

GifStream* OpenGIF(const Image* image, std::string_view path, const char* version) {
  if (!IsPaletteImage(image) || !version) return nullptr;
  const bool gif89 = std::strcmp(version, "GIF89a") == 0;
  if (!gif89 && std::strcmp(version, "GIF87a") != 0) return nullptr;
  auto s = std::make_unique<GifStream>();
  s->file = OpenFileForReplace(path, "GIFf", "TVOD");
  if (!s->file) return nullptr;
  int error = 0;
  s->gif = EGifOpen(s->file.get(), WriteToFile, &error);
  if (!s->gif) return nullptr;  // the handle's destructor removes the temporary
  s->gif89 = gif89;
  s->width = image->header.width;
  s->height = image->header.height;
  s->bits = image->header.bitCount;
  s->palette = image->palette;
  EGifSetGifVersion(s->gif, gif89);
  const ColorMap map = MakeColorMap(*image);
  if (!map || EGifPutScreenDesc(s->gif, s->width, s->height, s->bits, 0, map.get()) != GIF_OK) {
    EGifCloseFile(s->gif, &error);
    return nullptr;
  }
  return s.release();
}

int WriteGIFFrame(GifStream* gif, const Image* image, bool transparentFlag, int transparentIndex,
                  bool userInput, int delay, int disposal) {
  if (!gif || gif->failed) return 0;
  bool ok = IsPaletteImage(image);
  if (ok && gif->gif89)
    ok = PutControlExtension(*gif, transparentFlag, transparentIndex, userInput, delay, disposal);
  if (ok) {
    const ColorMap local = SamePalette(*gif, *image) ? nullptr : MakeColorMap(*image);
    ok = EGifPutImageDesc(gif->gif, 0, 0, gif->width, gif->height, false, local.get()) == GIF_OK &&
         PutFrameRows(*gif, *image);
  }
  gif->failed = !ok;
  gif->frames += ok;
  return ok ? 1 : 0;
}

int WriteGIFLoop(GifStream* gif, int loopCount) {
  if (!gif || gif->failed || !gif->gif89 || gif->frames > 0) return 0;
  static constexpr char Application[] = "NETSCAPE2.0";  // identifier and authentication code
  const int count = std::clamp(loopCount, 0, 65535);
  const GifByteType loop[3] = {1, static_cast<GifByteType>(count & 0xff),
                               static_cast<GifByteType>(count >> 8)};  // sub-block 1: loop count
  const bool ok = EGifPutExtensionLeader(gif->gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
                  EGifPutExtensionBlock(gif->gif, sizeof Application - 1, Application) == GIF_OK &&
                  EGifPutExtensionBlock(gif->gif, sizeof loop, loop) == GIF_OK &&
                  EGifPutExtensionTrailer(gif->gif) == GIF_OK;
  gif->failed = !ok;
  return ok ? 1 : 0;
}

int64_t CloseGIF(GifStream* gif) {
  if (!gif) return ResultFailed;
  std::unique_ptr<GifStream> s(gif);
  int error = 0;
  const bool closed = EGifCloseFile(s->gif, &error) == GIF_OK;  // writes the trailer
  return FinishReplacing(std::move(s->file), closed && !s->failed);
}

int64_t WriteImageGIF(const Image* image, std::string_view path) {
  if (!IsPaletteImage(image)) return ResultFailed;
  GifStream* gif = OpenGIF(image, path, "GIF87a");
  if (!gif) return ResultOpenError;
  WriteGIFFrame(gif, image, false, 0, false, 0, 0);
  return CloseGIF(gif);
}

}  // namespace qv
