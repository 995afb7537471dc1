// platform/picture.cpp - recording pictures, and the clipboard's image and SVG forms of them.
#include "platform/picture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSvgGenerator>

#include <memory>
#include <new>

#include "platform/draw_qt.h"

namespace qv {
namespace {

std::unique_ptr<DrawTarget> recordingTarget;

QByteArray PictureSvg(const Picture& picture) {
  const Rect& frame = picture.frame;
  QByteArray svg;
  QBuffer buffer(&svg);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(RectWidth(frame), RectHeight(frame)));
  generator.setViewBox(QRect(0, 0, RectWidth(frame), RectHeight(frame)));
  QPainter painter(&generator);
  ReplayPicture(picture, painter);
  painter.end();
  return svg;
}

}  // namespace

Picture* NewPicture(const Rect& frame) {
  if (RectWidth(frame) <= 0 || RectHeight(frame) <= 0) return nullptr;
  auto* picture = new (std::nothrow) Picture;
  if (!picture) return nullptr;
  picture->frame = frame;
  ClosePicture();
  recordingTarget = NewRecordingTarget(*picture);
  BeginDrawing(recordingTarget.get());
  return picture;
}

void ClosePicture() {
  if (!recordingTarget) return;
  EndDrawing(recordingTarget.get());
  recordingTarget.reset();
}

void DisposePicture(Picture* picture) {
  if (recordingTarget && recordingTarget->recording == picture) ClosePicture();
  delete picture;
}

Rect GetPictureFrame(const Picture* picture) { return picture ? picture->frame : Rect{}; }

bool CopyPictureToClipboard(const Picture* picture) {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!picture || !app || !app->clipboard()) return false;
  QImage image(RectWidth(picture->frame), RectHeight(picture->frame), QImage::Format_RGB32);
  image.fill(Qt::white);
  ReplayPicture(*picture, image);
  auto* data = new QMimeData;
  data->setImageData(image);
  data->setData(QStringLiteral("image/svg+xml"), PictureSvg(*picture));
  app->clipboard()->setMimeData(data);  // the clipboard owns data
  return true;
}

}  // namespace qv
