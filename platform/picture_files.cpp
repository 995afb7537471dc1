// platform/picture_files.cpp - pictures as SVG documents and PDF pages: vector charts for print.
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "platform/draw_qt.h"
#include "platform/image_write.h"
#include "platform/picture.h"
#include "platform/result.h"

namespace qv {
namespace {

QPageLayout PageLayout(const Rect& frame, PaperSize paper) {
  const int width = RectWidth(frame), height = RectHeight(frame);
  if (paper == PaperOfFrame) {
    const QPageSize page(QSize(width, height), QString(), QPageSize::ExactMatch);  // in points
    return QPageLayout(page, QPageLayout::Portrait, QMarginsF());
  }
  const QPageSize::PageSizeId sheet = paper == PaperA4   ? QPageSize::A4
                                      : paper == PaperA3 ? QPageSize::A3
                                                         : QPageSize::Letter;
  const QMarginsF margins(PaperMarginMm, PaperMarginMm, PaperMarginMm, PaperMarginMm);
  return QPageLayout(QPageSize(sheet),
                     width > height ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                     QPageLayout::Millimeter);
}

// FitOnPage: the painter scaled and moved so that the frame fills the printable area, centred.
void FitOnPage(QPainter& painter, const Rect& frame, const QPageLayout& layout) {
  const QSizeF area = layout.paintRectPoints().size();
  const double scale = std::min(area.width() / RectWidth(frame), area.height() / RectHeight(frame));
  painter.translate((area.width() - RectWidth(frame) * scale) / 2,
                    (area.height() - RectHeight(frame) * scale) / 2);
  painter.scale(scale, scale);
}

QByteArray PicturePdf(const Picture& picture, PaperSize paper) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(VectorPixelsPerInch);
  const QPageLayout layout = PageLayout(picture.frame, paper);
  writer.setPageLayout(layout);
  QPainter painter;
  if (!painter.begin(&writer)) return {};
  if (paper != PaperOfFrame) FitOnPage(painter, picture.frame, layout);
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

int64_t WritePicturePDF(std::string_view path, const Picture* picture, PaperSize paper) {
  if (!picture) return ResultFailed;
  return WriteBytesReplacing(path, PicturePdf(*picture, paper));
}

}  // namespace qv
