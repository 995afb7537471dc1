// chart/chart_files.h - the chart written to files, one code path for the program and qv:
// images (PNG, BMP, GIF, TIFF, JPEG) through the platform's writers, from the chart image the
// window shows where it suits the format and otherwise from a new drawing, and vector charts
// (Windows metafile, SVG, PDF) through a recorded picture.
#pragma once

#include <cstdint>
#include <string_view>

#include "chart/chart_options.h"
#include "chart/chart_picture.h"
#include "platform/picture.h"
#include "platform/rect.h"

namespace qv {

enum ChartFileFormat : int {
  ChartFormatNone = 0,  // an extension no writer knows
  ChartFormatPNG,
  ChartFormatBMP,
  ChartFormatGIF,
  ChartFormatTIFF,
  ChartFormatJPEG,
  ChartFormatWMF,
  ChartFormatSVG,
  ChartFormatPDF,
};

// ChartFormatOfPath: by the extension, in any case: .png, .bmp, .gif, .tif or .tiff, .jpg or
// .jpeg, .wmf, .svg, .pdf; ChartFormatNone for any other.
ChartFileFormat ChartFormatOfPath(std::string_view path);

// ChartSources: what a chart file is made from besides new drawings: the chart image the window
// shows (none: every image is drawn anew), the screen's depth for images drawn "at the screen's
// depth", and the overlay of pictures.
struct ChartSources {
  const Image* windowImage = nullptr;
  int screenDepth = 32;
  ChartOverlay overlay;
};

// WriteChartFile: the chart of that rectangle and options in the format. Which image:
//   BMP, PNG  the window's image; else one drawn at the screen's depth (32 above 8 bits)
//   GIF       the window's image when it has pixel rows and at most 8 bits; else one drawn at 8
//             bits (without rendered objects)
//   TIFF      the window's image when it has pixel rows; else one drawn at the screen's depth
//   JPEG      the window's image when it has 32 bits and pixel rows; else one drawn at 32 bits
//   WMF       MakeChartPicture: the image as a bitmap with rendered objects on, else vectors
//   SVG, PDF  MakeChartPicture without rendered objects: vectors, text as text, stars as
//             circles, so the chart scales to any print size; a PDF on the paper given
// A window image of another size than the rectangle is not used. The file is replaced only by a
// complete one. The bytes written, or ResultNoMemory (after message 256), ResultOpenError,
// ResultWriteError, ResultFailed (ChartFormatNone).
int64_t WriteChartFile(std::string_view path, ChartFileFormat format, PaperSize paper,
                       const Rect& chart, const ChartOptions& options, const ChartSources& sources);

// ShowChartFileError: message 257 (ResultOpenError) or 259 (ResultWriteError) with the path, with
// the caution icon; nothing for other results (those were shown where they arose).
void ShowChartFileError(int64_t result, std::string_view path);

}  // namespace qv
