// platform/draw_ops.h - drawing calls as records, for platform/ code only. Every call of
// platform/draw.h becomes one DrawOp; a target either performs it at once or, while a Picture
// records, keeps it, so a picture replays onto any target exactly as it was drawn.
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/draw.h"

namespace qv {

struct PenOp {
  Color color;
  int width;
  bool fill;
};
struct FontOp {
  std::string face;
  int size, style;
};
struct ModeOp {
  int mode;
};
struct ClipOp {
  bool on;
  Rect rect;
};
struct MoveOp {
  int x, y;
};
struct LineToOp {
  int x, y;
};
struct LineOp {
  int x1, y1, x2, y2;
};
struct PointOp {
  int x, y;
};
struct RectOp {
  Rect rect;
};
struct EllipseOp {
  Rect rect;
};
struct PolygonOp {
  std::vector<PolygonPoint> points;
};
struct TextOp {
  std::string text;  // UTF-8, already cut to its length
  int x, y;
};
struct IconOp {
  const Icon* icon;
  int x, y;
};
struct ImageOp {
  std::shared_ptr<const QImage> image;  // a copy taken when the call was made
  Rect source, destination;
};

using DrawOp = std::variant<PenOp, FontOp, ModeOp, ClipOp, MoveOp, LineToOp, LineOp, PointOp,
                            RectOp, EllipseOp, PolygonOp, TextOp, IconOp, ImageOp>;

// Picture: a recorded drawing. The frame is in screen pixels.
struct Picture {
  int kind = 1;
  Rect frame;
  std::vector<DrawOp> ops;
};

}  // namespace qv
