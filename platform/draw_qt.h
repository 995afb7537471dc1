// platform/draw_qt.h - drawing targets behind the port of platform/draw.h, for platform/ code
// only. A target is pixel memory (window surfaces, images: exact pixels), a QPainter on any
// device (printer pages, SVG, replays) or a Picture being recorded.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "platform/draw.h"
#include "platform/draw_ops.h"

namespace qv {

struct DrawingState {
  Color color = ColorBlack;  // pen, fill and text
  int penWidth = 1;
  bool fill = false;
  std::string fontFace = DefaultFontFace;
  int fontSize = DefaultFontSize;
  int fontStyle = 0;
  int mode = DrawCopy;
  bool clipped = false;
  Rect clip;
  int penX = 0, penY = 0;
};

struct DrawTarget {
  DrawingState state;
  QImage* surface = nullptr;  // pixel memory (Format_RGB32), drawn pixel by pixel where exact
  QPainter* painter = nullptr;
  std::unique_ptr<QPainter> ownedPainter;  // made for a surface; otherwise the painter is lent
  Picture* recording = nullptr;
  int originX = 0, originY = 0;  // added to every coordinate
};

// Targets. The caller keeps the target and ends it before dropping it.
std::unique_ptr<DrawTarget> NewSurfaceTarget(QImage& surface);
std::unique_ptr<DrawTarget> NewPainterTarget(QPainter& painter);
std::unique_ptr<DrawTarget> NewRecordingTarget(Picture& picture);

// BeginDrawing: starts the target from its default state and makes it the port. EndDrawing:
// finishes it (a lent painter gets its own state back) and, when it is the port, clears it.
void BeginDrawing(DrawTarget* target);
void EndDrawing(DrawTarget* target);

// PerformOp: carries one drawing call out on a target that does not record (replays).
void PerformOp(DrawTarget& target, const DrawOp& op);

// ReplayPicture: draws the picture's recorded calls into the surface (exact pixels) or with the
// painter, the frame's top-left at the origin. The current port is left as it was.
void ReplayPicture(const Picture& picture, QImage& surface);
void ReplayPicture(const Picture& picture, QPainter& painter);
// PictureSvg: the picture as an SVG document whose size and view box are its frame.
QByteArray PictureSvg(const Picture& picture);

// Icons behind LoadIcon: a 32 x 32 mask (alpha 255 where the symbol is, else 0).
struct Icon {
  int resourceNumber = 0;
  QImage mask;  // Format_ARGB32
};

// MakeFont: the QFont of a face, cell height in pixels and style bits, without antialiasing.
QFont MakeFont(const std::string& face, int cellHeight, int style);

// IsSymbolFace: the face is "Symbol" (any case), whose Latin letters stand for Greek ones.
bool IsSymbolFace(const std::string& face);

// TextForFont: UTF-8 bytes as drawn in the font (Latin letters become Greek in "Symbol").
QString TextForFont(const std::string& text, bool symbolFont);

}  // namespace qv
