// chart/chart_files.h - the chart drawn straight into a file, its format chosen by the name's
// extension: images (PNG, BMP, GIF, TIFF, JPEG) through the platform's writers, and vector
// charts (Windows metafile, SVG, PDF) through a recorded picture.
#pragma once

#include <cstdint>
#include <string_view>

#include "chart/chart_options.h"
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

// WriteChartFile: draws the chart with the options for the rectangle's size and writes it. GIF is
// drawn at 8 bits (without rendered objects), the other images at 32 bits. Vector charts are drawn
// as vectors, with rendered objects off for the drawing, so that every line and text stays sharp in
// print. The file is replaced only by a complete one. The bytes written, or ResultNoMemory (after
// message 256: no image or picture could be made), ResultOpenError, ResultWriteError,
// ResultFailed (ChartFormatNone).
int64_t WriteChartFile(std::string_view path, ChartFileFormat format, const Rect& chart,
                       const ChartOptions& options);

}  // namespace qv
