// platform/picture_files.cpp - pictures as SVG documents and PDF pages: vector charts for print.
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/draw_qt.h"
#include "platform/image_write.h"
#include "platform/picture.h"
#include "platform/result.h"

namespace qv {
namespace {

QByteArray PicturePdf(const Picture& picture) {
  const int width = RectWidth(picture.frame), height = RectHeight(picture.frame);
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(VectorPixelsPerInch);
  const QPageSize page(QSize(width, height), QString(), QPageSize::ExactMatch);  // in points
  writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
  QPainter painter;
  if (!painter.begin(&writer)) return {};
  ReplayPicture(picture, painter);
  painter.end();
  return pdf;
}

}  // namespace

QByteArray PictureSvg(const Picture& picture) {
  const Rect& frame = picture.frame;
  QByteArray svg;
  QBuffer buffer(&svg);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(RectWidth(frame), RectHeight(frame)));
  generator.setViewBox(QRect(0, 0, RectWidth(frame), RectHeight(frame)));
  generator.setResolution(VectorPixelsPerInch);
  QPainter painter(&generator);
  ReplayPicture(picture, painter);
  painter.end();
  return svg;
}

int64_t WritePictureSVG(std::string_view path, const Picture* picture) {
  if (!picture) return ResultFailed;
  return WriteBytesReplacing(path, PictureSvg(*picture));
}

int64_t WritePicturePDF(std::string_view path, const Picture* picture) {
  if (!picture) return ResultFailed;
  return WriteBytesReplacing(path, PicturePdf(*picture));
}

}  // namespace qv
