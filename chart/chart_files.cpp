// chart/chart_files.cpp - the chart drawn into image and vector files (chart_files.h).
#include "chart/chart_files.h"

#include <cctype>
#include <string>

#include "chart/drawing.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int GifDepth = 8;  // the GIF writer takes palette images only
constexpr int FullDepth = 32;
constexpr int MostPaletteBits = 8;

struct FormatName {
  const char* extension;
  ChartFileFormat format;
};
constexpr FormatName FormatNames[] = {
    {".png", ChartFormatPNG},   {".bmp", ChartFormatBMP},   {".gif", ChartFormatGIF},
    {".tif", ChartFormatTIFF},  {".tiff", ChartFormatTIFF}, {".jpg", ChartFormatJPEG},
    {".jpeg", ChartFormatJPEG}, {".wmf", ChartFormatWMF},   {".svg", ChartFormatSVG},
    {".pdf", ChartFormatPDF},
};

int64_t WriteImageFile(std::string_view path, ChartFileFormat format, const Image* image) {
  switch (format) {
    case ChartFormatPNG:
      return WriteImagePNG(image, path);
    case ChartFormatBMP:
      return WriteImageBMP(image, path);
    case ChartFormatGIF:
      return WriteImageGIF(image, path);
    case ChartFormatTIFF:
      return WriteImageTIFF(image, path);
    case ChartFormatJPEG:
      return WriteImageJPEG(image, path);
    default:
      return ResultFailed;
  }
}

// WindowImageFor: the window's image when it suits the format, else none.
const Image* WindowImageFor(ChartFileFormat format, const Image* image, const Rect& chart) {
  if (!image || ImageWidth(image) != RectWidth(chart) || ImageHeight(image) != RectHeight(chart))
    return nullptr;
  const bool rows = ImageRow(image, 0) != nullptr;
  switch (format) {
    case ChartFormatGIF:
      return rows && ImageDepth(image) <= GifDepth ? image : nullptr;
    case ChartFormatTIFF:
      return rows ? image : nullptr;
    case ChartFormatJPEG:
      return rows && ImageDepth(image) == FullDepth ? image : nullptr;
    default:
      return image;
  }
}

int NewImageDepth(ChartFileFormat format, int screenDepth) {
  if (format == ChartFormatGIF) return GifDepth;
  if (format == ChartFormatJPEG || screenDepth > MostPaletteBits) return FullDepth;
  return screenDepth;
}

int64_t WriteChartImage(std::string_view path, ChartFileFormat format, const Rect& chart,
                        const ChartOptions& options, const ChartSources& sources) {
  const Image* image = WindowImageFor(format, sources.windowImage, chart);
  Image* drawn = nullptr;
  if (!image) {
    drawn = RenderChartImage(chart, NewImageDepth(format, sources.screenDepth), nullptr, options);
    if (!drawn) return ResultNoMemory;
    image = drawn;
  }
  const int64_t written = WriteImageFile(path, format, image);
  DisposeImage(drawn);
  return written;
}

int64_t WritePictureFile(std::string_view path, ChartFileFormat format, PaperSize paper,
                         const Picture* picture) {
  switch (format) {
    case ChartFormatWMF:
      return WritePictureWMF(path, picture);
    case ChartFormatSVG:
      return WritePictureSVG(path, picture);
    case ChartFormatPDF:
      return WritePicturePDF(path, picture, paper);
    default:
      return ResultFailed;
  }
}

int64_t WriteChartPicture(std::string_view path, ChartFileFormat format, PaperSize paper,
                          const Rect& chart, const ChartOptions& options,
                          const ChartSources& sources) {
  ChartOptions drawing = options;
  // SVG and PDF are for print at any size: vectors only, never the screen's pixels.
  if (format != ChartFormatWMF) drawing.ShowRenderedObjects = false;
  Picture* picture = MakeChartPicture(chart, drawing, sources.windowImage, sources.overlay);
  if (!picture) return ResultNoMemory;
  const int64_t written = WritePictureFile(path, format, paper, picture);
  DisposePicture(picture);
  return written;
}

}  // namespace

ChartFileFormat ChartFormatOfPath(std::string_view path) {
  std::string extension = GetFileExtension(path);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const FormatName& name : FormatNames) {
    if (extension == name.extension) return name.format;
  }
  return ChartFormatNone;
}

int64_t WriteChartFile(std::string_view path, ChartFileFormat format, PaperSize paper,
                       const Rect& chart, const ChartOptions& options,
                       const ChartSources& sources) {
  switch (format) {
    case ChartFormatWMF:
    case ChartFormatSVG:
    case ChartFormatPDF:
      return WriteChartPicture(path, format, paper, chart, options, sources);
    case ChartFormatNone:
      return ResultFailed;
    default:
      return WriteChartImage(path, format, chart, options, sources);
  }
}

void ShowChartFileError(int64_t result, std::string_view path) {
  const std::string name(path);
  if (result == ResultOpenError) Caution(ButtonsOk, MessageCannotOpen, name.c_str());
  if (result == ResultWriteError) Caution(ButtonsOk, MessageCannotWrite, name.c_str());
}

}  // namespace qv
