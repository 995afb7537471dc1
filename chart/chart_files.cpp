// chart/chart_files.cpp - the chart drawn into image and vector files (chart_files.h).
#include "chart/chart_files.h"

#include <cctype>
#include <string>

#include "chart/drawing.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/picture.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int GifDepth = 8;  // the GIF writer takes palette images only
constexpr int ImageDepth = 32;

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

int64_t WriteChartImage(std::string_view path, ChartFileFormat format, const Rect& chart,
                        const ChartOptions& options) {
  Image* image =
      RenderChartImage(chart, format == ChartFormatGIF ? GifDepth : ImageDepth, nullptr, options);
  if (!image) return ResultNoMemory;
  const int64_t written = WriteImageFile(path, format, image);
  DisposeImage(image);
  return written;
}

int64_t WritePictureFile(std::string_view path, ChartFileFormat format, const Picture* picture) {
  switch (format) {
    case ChartFormatWMF:
      return WritePictureWMF(path, picture);
    case ChartFormatSVG:
      return WritePictureSVG(path, picture);
    case ChartFormatPDF:
      return WritePicturePDF(path, picture);
    default:
      return ResultFailed;
  }
}

int64_t WriteChartPicture(std::string_view path, ChartFileFormat format, const Rect& chart,
                          const ChartOptions& options) {
  Picture* picture = NewPicture(chart);
  if (!picture) {
    Caution(ButtonsOk, MessageNoMemory);
    return ResultNoMemory;
  }
  ChartOptions vectors = options;
  vectors.ShowRenderedObjects = false;  // rendered stars and disks exist only as pixels
  DrawChart(chart, vectors);
  ClosePicture();
  const int64_t written = WritePictureFile(path, format, picture);
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

int64_t WriteChartFile(std::string_view path, ChartFileFormat format, const Rect& chart,
                       const ChartOptions& options) {
  switch (format) {
    case ChartFormatWMF:
    case ChartFormatSVG:
    case ChartFormatPDF:
      return WriteChartPicture(path, format, chart, options);
    case ChartFormatNone:
      return ResultFailed;
    default:
      return WriteChartImage(path, format, chart, options);
  }
}

}  // namespace qv
