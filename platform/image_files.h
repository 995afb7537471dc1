// platform/image_files.h - image files: the BMP, GIF (still and animated), TIFF and JPEG writers
// of chart images, and the JPEG reader of planet surface maps. Plain types; no Qt here.
//
// Every writer writes a temporary file beside the path and renames it over the path only when
// everything was written (platform/files.h), so a failure never leaves half a file and never
// harms a file that was there. Each returns the number of bytes written (> 0), or:
//   ResultOpenError  the file cannot be created (the caller shows message 257),
//   ResultWriteError writing failed, the disk may be full (message 259),
//   ResultFailed     the image cannot be written in that format (a GIF of more than 8 bits).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/draw.h"

namespace qv {

// WriteImageBMP: a Windows bitmap file: the 14-byte file header ("BM", file size, two zero
// words, offset of the pixels = 54 + 4 x palette entries), the 40-byte information header, the
// palette (2^bits entries up to 8 bits, none above), then the rows bottom-up, each padded to
// 4 bytes. A device image is written with rows of its own depth (24 or 32 bits).
int64_t WriteImageBMP(const Image* image, std::string_view path);

// WriteImageTIFF: one uncompressed image. Above 8 bits: RGB, 8 bits a sample. At 8 bits or
// fewer the rows as they are: 1 bit as black and white (min-is-black when palette entry 0 is the
// darker one, else min-is-white), 4 and 8 bits as a palette image with the 2^bits entries.
int64_t WriteImageTIFF(const Image* image, std::string_view path);

// WriteImagePNG: a PNG of the image's colours, as RGB whatever the image's depth.
int64_t WriteImagePNG(const Image* image, std::string_view path);

// WriteImageJPEG: baseline JPEG of the image's colours at quality JpegQuality.
constexpr int JpegQuality = 90;
int64_t WriteImageJPEG(const Image* image, std::string_view path);

// GIF. A stream's logical screen is the first image's size and its global colour map that
// image's 2^bits palette entries (images of 1, 4 or 8 bits only).
struct GifStream;
enum GifDisposal : int {
  GifDisposalNone = 0,
  GifKeepFrame = 1,
  GifRestoreBackground = 2,
  GifRestorePrevious = 3
};
// OpenGIF: version "GIF87a" or "GIF89a"; null when the image has more than 8 bits, the version
// is neither, or the file cannot be created.
GifStream* OpenGIF(const Image* image, std::string_view path, const char* version);
// WriteGIFFrame: in a "GIF89a" stream first a graphic control extension (delay in hundredths of
// a second, disposal a GifDisposal), then the whole image, not interlaced, top row first. An
// image of another size is cut or padded with index 0 to the screen; an image whose palette
// differs from the global one carries its own colour map. 1 on success, 0 on failure (and the
// stream then fails at CloseGIF).
int WriteGIFFrame(GifStream* gif, const Image* image, bool transparentFlag, int transparentIndex,
                  bool userInput, int delay, int disposal);
// WriteGIFLoop: the "NETSCAPE2.0" application extension by which browsers and viewers replay the
// frames loopCount more times (0: for ever). Only in a "GIF89a" stream before its first frame;
// 1 on success, 0 otherwise (a failure to write fails the stream).
int WriteGIFLoop(GifStream* gif, int loopCount);
// CloseGIF: ends the stream, frees it and puts the file in place; bytes written or a failure as
// above. A stream that failed leaves no file behind.
int64_t CloseGIF(GifStream* gif);
// WriteImageGIF: OpenGIF with "GIF87a", one frame, CloseGIF.
int64_t WriteImageGIF(const Image* image, std::string_view path);

// JPEG reader. Pixels: rows top-down, three bytes (red, green, blue) a pixel.
struct RgbPixels {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};
constexpr int64_t JpegMaxPixels = int64_t{1} << 25;  // 8192 x 4096: larger maps are refused
// DecodeJPEG / ReadJPEG: ResultOk, ResultOpenError (no such file), ResultReadError (not a JPEG,
// damaged, or larger than JpegMaxPixels) or ResultNoMemory. Grey images come out as RGB.
int DecodeJPEG(std::span<const uint8_t> bytes, RgbPixels& out);
int ReadJPEG(std::string_view path, RgbPixels& out);
// ReadJPEGImage: the file as a 32-bit Image, or null on any failure.
Image* ReadJPEGImage(std::string_view path);

}  // namespace qv
