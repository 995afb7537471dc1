// platform/picture.h - recorded drawings (the chart as vectors for the clipboard and metafile
// export). Plain types; no Qt here.
//
// A Picture keeps every drawing call made while it records, and replays them onto any target:
// an image, a printer page, an SVG document, or a placeable Windows metafile.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/draw.h"

namespace qv {

struct Picture;

// NewPicture: starts recording into a new picture whose frame is the given rectangle in screen
// pixels and makes it the port; null when memory is short or the frame is empty.
Picture* NewPicture(const Rect& frame);
// ClosePicture: ends the recording (the port is then none).
void ClosePicture();
void DisposePicture(Picture* picture);
Rect GetPictureFrame(const Picture* picture);

// CopyPictureToClipboard: replaces the clipboard's contents with the picture as an image (the
// frame's size) and as an SVG document; false when there is no clipboard.
bool CopyPictureToClipboard(const Picture* picture);

// WritePictureWMF: a placeable Windows metafile: the 22-byte placeable header (key 0x9AC6CDD7,
// bounding box = the frame in screen pixels, units per inch = the screen's horizontal pixels
// per inch, checksum = exclusive-or of the header's first ten 16-bit words), then the drawing as
// Windows metafile records in the anisotropic mapping mode. Written through a temporary file:
// the bytes written, ResultOpenError or ResultWriteError (platform/image_files.h).
int64_t WritePictureWMF(std::string_view path, const Picture* picture);

// Vector charts for print. A pixel of the frame is taken as one point (1/72 inch), the unit of
// PDF pages, so that any frame gives a page of whole points.
// WritePictureSVG: an SVG document whose view box is the frame, in pixels.
// WritePicturePDF: a one-page PDF. PaperOfFrame: the page is the frame, without margins. A
// sheet of paper: turned landscape when the frame is wider than tall, with the picture scaled to
// fill it inside a margin of PaperMarginMm and centred; lines and text stay vectors.
// Both write through a temporary file: the bytes written, ResultFailed without a picture,
// ResultOpenError or ResultWriteError.
constexpr int VectorPixelsPerInch = 72;
enum PaperSize : int { PaperOfFrame = 0, PaperA4, PaperA3, PaperLetter };
constexpr double PaperMarginMm = 10;
int64_t WritePictureSVG(std::string_view path, const Picture* picture);
int64_t WritePicturePDF(std::string_view path, const Picture* picture,
                        PaperSize paper = PaperOfFrame);

}  // namespace qv
