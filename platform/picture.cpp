// platform/picture.cpp - recording pictures, and the clipboard's image and SVG forms of them.
// The SVG form and the picture files are in picture_files.cpp and picture_wmf.cpp.
#include "platform/picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>
#include <new>

#include "platform/draw_qt.h"

namespace qv {
namespace {

std::unique_ptr<DrawTarget> recordingTarget;

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
