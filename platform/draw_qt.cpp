// platform/draw_qt.cpp - the drawing port: the current target, its state, and every drawing
// call of platform/draw.h carried out on pixel memory, on a QPainter or into a recording.
#include "platform/draw_qt.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <cstring>
#include <utility>

#include "platform/draw_raster.h"
#include "platform/image_qt.h"

namespace qv {
namespace {

DrawTarget* port = nullptr;
DrawingState detached;  // what GetPen and GetFont report while no target is current

DrawingState& CurrentState() { return port ? port->state : detached; }

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

RasterTarget RasterOf(const DrawTarget& t) {
  const DrawingState& s = t.state;
  RasterTarget r;
  r.pixels = reinterpret_cast<uint32_t*>(t.surface->bits());
  r.stride = t.surface->bytesPerLine() / 4;
  r.clip = Rect{0, 0, t.surface->width(), t.surface->height()};
  if (s.clipped) {
    r.clip.left = std::max(r.clip.left, s.clip.left + t.originX);
    r.clip.top = std::max(r.clip.top, s.clip.top + t.originY);
    r.clip.right = std::min(r.clip.right, s.clip.right + t.originX);
    r.clip.bottom = std::min(r.clip.bottom, s.clip.bottom + t.originY);
  }
  r.value = PixelValueFromRGB(RedOf(s.color), GreenOf(s.color), BlueOf(s.color));
  r.exclusiveOr = s.mode == DrawXor;
  return r;
}

Rect Offset(const Rect& r, const DrawTarget& t) {
  return Rect{r.left + t.originX, r.top + t.originY, r.right + t.originX, r.bottom + t.originY};
}

// Vector coordinates: a pixel's centre, so strokes sit where the pixels would be.
QPointF Centre(int x, int y) { return QPointF(x + 0.5, y + 0.5); }

// The shape's box with the stroke's middle on the outer band's middle.
QRectF StrokeBox(const Rect& r, int penWidth) {
  const double inset = penWidth / 2.0;
  return QRectF(r.left + inset, r.top + inset, RectWidth(r) - 2 * inset, RectHeight(r) - 2 * inset);
}

void ApplyPen(DrawTarget& t) {
  const DrawingState& s = t.state;
  if (s.penWidth > 0) {
    t.painter->setPen(
        QPen(ToQColor(s.color), s.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  } else {
    t.painter->setPen(Qt::NoPen);
  }
  t.painter->setBrush(s.fill ? QBrush(ToQColor(s.color)) : QBrush(Qt::NoBrush));
}

// Fonts are made when text is drawn or measured, so shapes need no font machinery.
QFont StateFont(const DrawingState& s) { return MakeFont(s.fontFace, s.fontSize, s.fontStyle); }

void ApplyMode(DrawTarget& t) {
  t.painter->setCompositionMode(t.state.mode == DrawXor ? QPainter::RasterOp_SourceXorDestination
                                                        : QPainter::CompositionMode_SourceOver);
}

void ApplyClip(DrawTarget& t) {
  const Rect& c = t.state.clip;
  if (t.state.clipped) {
    t.painter->setClipRect(QRect(c.left, c.top, RectWidth(c), RectHeight(c)));
  } else {
    t.painter->setClipping(false);
  }
}

void DrawLineOn(DrawTarget& t, int x1, int y1, int x2, int y2, bool withEnd) {
  const int width = t.state.penWidth;
  if (width <= 0) return;
  if (t.surface && width == 1) {
    RasterLine(RasterOf(t), int64_t{x1} + t.originX, int64_t{y1} + t.originY,
               int64_t{x2} + t.originX, int64_t{y2} + t.originY, withEnd);
  } else if (t.surface) {
    t.painter->drawLine(QPoint(x1, y1), QPoint(x2, y2));
  } else {
    t.painter->drawLine(Centre(x1, y1), Centre(x2, y2));
  }
}

void DrawShapeOn(DrawTarget& t, ShapeKind kind, const Rect& r) {
  const DrawingState& s = t.state;
  if (RectWidth(r) <= 0 || RectHeight(r) <= 0) return;
  if (t.surface) {
    RasterShape(RasterOf(t), kind, Offset(r, t), s.penWidth, s.fill);
    return;
  }
  const QRectF box = s.penWidth > 0 ? StrokeBox(r, s.penWidth)
                                    : QRectF(r.left, r.top, RectWidth(r), RectHeight(r));
  if (kind == ShapeKind::Rectangle) {
    t.painter->drawRect(box);
  } else {
    t.painter->drawEllipse(box);
  }
}

void DrawPolygonOn(DrawTarget& t, const std::vector<PolygonPoint>& points) {
  const DrawingState& s = t.state;
  QPolygonF shape;
  for (const PolygonPoint& p : points) shape << QPointF(p.x, p.y);
  if (!t.surface) {
    t.painter->drawPolygon(shape.translated(0.5, 0.5), Qt::OddEvenFill);
    return;
  }
  if (s.fill) {
    t.painter->setPen(Qt::NoPen);
    t.painter->drawPolygon(shape, Qt::OddEvenFill);
    ApplyPen(t);
  }
  if (s.penWidth == 1) {
    const RasterTarget r = RasterOf(t);
    for (size_t i = 0; i < points.size(); ++i) {
      const PolygonPoint& a = points[i];
      const PolygonPoint& b = points[(i + 1) % points.size()];
      RasterLine(r, a.x + t.originX, a.y + t.originY, b.x + t.originX, b.y + t.originY, false);
    }
  } else if (s.penWidth > 1) {
    t.painter->setBrush(Qt::NoBrush);
    t.painter->drawPolygon(shape);
    ApplyPen(t);
  }
}

void DrawTextOn(DrawTarget& t, const std::string& text, int x, int y) {
  const QFont font = StateFont(t.state);
  t.painter->setFont(font);
  t.painter->setPen(ToQColor(t.state.color));  // text is drawn even with no pen
  t.painter->drawText(QPoint(x, y + QFontMetrics(font).ascent()),
                      TextForFont(text, IsSymbolFace(t.state.fontFace)));
  ApplyPen(t);
}

void DrawIconOn(DrawTarget& t, const Icon& icon, int x, int y) {
  QImage tinted(icon.mask.size(), QImage::Format_ARGB32_Premultiplied);
  tinted.fill(ToQColor(t.state.color));
  QPainter mask(&tinted);
  mask.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  mask.drawImage(0, 0, icon.mask);
  mask.end();
  t.painter->drawImage(QPoint(x, y), tinted);
}

void DrawImageOn(DrawTarget& t, const ImageOp& op) {
  const Rect& s = op.source;
  const Rect& d = op.destination;
  const QPainter::CompositionMode mode = t.painter->compositionMode();
  t.painter->setCompositionMode(QPainter::CompositionMode_Source);
  t.painter->drawImage(QRect(d.left, d.top, RectWidth(d), RectHeight(d)), *op.image,
                       QRect(s.left, s.top, RectWidth(s), RectHeight(s)));
  t.painter->setCompositionMode(mode);
}

// Performs (draw true) or only follows (draw false: recording, or no target) one call.
void Carry(DrawTarget* t, DrawingState& s, const DrawOp& op, bool draw) {
  struct Visitor {
    DrawTarget* t;
    DrawingState& s;
    bool draw;
    bool painting() const { return draw && t && t->painter; }
    void operator()(const PenOp& o) {
      s.color = o.color;
      s.penWidth = o.width;
      s.fill = o.fill;
      if (painting()) ApplyPen(*t);
    }
    void operator()(const FontOp& o) {
      s.fontFace = o.face;
      s.fontSize = o.size;
      s.fontStyle = o.style;
    }
    void operator()(const ModeOp& o) {
      if (!t) return;
      s.mode = o.mode;
      if (painting()) ApplyMode(*t);
    }
    void operator()(const ClipOp& o) {
      s.clipped = o.on;
      s.clip = o.rect;
      if (painting()) ApplyClip(*t);
    }
    void operator()(const MoveOp& o) { s.penX = o.x, s.penY = o.y; }
    void operator()(const LineToOp& o) {
      if (painting() && (o.x != s.penX || o.y != s.penY))
        DrawLineOn(*t, s.penX, s.penY, o.x, o.y, false);
      s.penX = o.x, s.penY = o.y;
    }
    void operator()(const LineOp& o) {
      if (painting()) DrawLineOn(*t, o.x1, o.y1, o.x2, o.y2, true);
    }
    void operator()(const PointOp& o) {
      if (!painting() || s.penWidth <= 0) return;
      if (t->surface) {
        RasterPixel(RasterOf(*t), int64_t{o.x} + t->originX, int64_t{o.y} + t->originY);
      } else {
        t->painter->fillRect(QRectF(o.x, o.y, 1, 1), ToQColor(s.color));
      }
    }
    void operator()(const RectOp& o) {
      if (painting()) DrawShapeOn(*t, ShapeKind::Rectangle, o.rect);
    }
    void operator()(const EllipseOp& o) {
      if (painting()) DrawShapeOn(*t, ShapeKind::Ellipse, o.rect);
    }
    void operator()(const PolygonOp& o) {
      if (painting()) DrawPolygonOn(*t, o.points);
    }
    void operator()(const TextOp& o) {
      if (painting()) DrawTextOn(*t, o.text, o.x, o.y);
    }
    void operator()(const IconOp& o) {
      if (painting() && o.icon) DrawIconOn(*t, *o.icon, o.x, o.y);
    }
    void operator()(const ImageOp& o) {
      if (painting()) DrawImageOn(*t, o);
    }
  };
  std::visit(Visitor{t, s, draw}, op);
}

void Submit(const DrawOp& op) {
  if (!port) {
    Carry(nullptr, detached, op, false);
  } else if (port->recording) {
    Carry(port, port->state, op, false);
    port->recording->ops.push_back(op);
  } else {
    Carry(port, port->state, op, true);
  }
}

}  // namespace

// --- Targets --------------------------------------------------------------------------------

std::unique_ptr<DrawTarget> NewSurfaceTarget(QImage& surface) {
  auto t = std::make_unique<DrawTarget>();
  t->surface = &surface;
  return t;
}

std::unique_ptr<DrawTarget> NewPainterTarget(QPainter& painter) {
  auto t = std::make_unique<DrawTarget>();
  t->painter = &painter;
  return t;
}

std::unique_ptr<DrawTarget> NewRecordingTarget(Picture& picture) {
  auto t = std::make_unique<DrawTarget>();
  t->recording = &picture;
  return t;
}

void BeginDrawing(DrawTarget* t) {
  t->state = DrawingState();
  if (t->surface) {
    t->surface->bits();  // detach now, never while the painter holds the memory
    t->ownedPainter = std::make_unique<QPainter>(t->surface);
    t->painter = t->ownedPainter.get();
  } else if (t->painter) {
    t->painter->save();
  }
  if (t->painter) {
    t->painter->setRenderHint(QPainter::Antialiasing, false);
    t->painter->setRenderHint(QPainter::TextAntialiasing, false);
    t->painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    t->painter->translate(t->originX, t->originY);
    ApplyPen(*t);
    ApplyMode(*t);
    ApplyClip(*t);
  }
  port = t;
}

void EndDrawing(DrawTarget* t) {
  if (!t) return;
  if (t->ownedPainter) {
    t->ownedPainter->end();
    t->ownedPainter.reset();
    t->painter = nullptr;
  } else if (t->painter) {
    t->painter->restore();
  }
  if (port == t) port = nullptr;
}

void PerformOp(DrawTarget& target, const DrawOp& op) { Carry(&target, target.state, op, true); }

namespace {
void Replay(const Picture& picture, std::unique_ptr<DrawTarget> target) {
  DrawTarget* saved = GetPort();
  target->originX = -picture.frame.left;
  target->originY = -picture.frame.top;
  BeginDrawing(target.get());
  for (const DrawOp& op : picture.ops) PerformOp(*target, op);
  EndDrawing(target.get());
  SetPort(saved);
}
}  // namespace

void ReplayPicture(const Picture& picture, QImage& surface) {
  Replay(picture, NewSurfaceTarget(surface));
}
void ReplayPicture(const Picture& picture, QPainter& painter) {
  Replay(picture, NewPainterTarget(painter));
}

DrawTarget* GetPort() { return port; }
void SetPort(DrawTarget* target) { port = target; }

// --- State ----------------------------------------------------------------------------------

void SetPen(Color color, int width, bool fill) { Submit(PenOp{color, std::max(width, 0), fill}); }

void GetPen(Color* color, int* width, bool* fill) {
  const DrawingState& s = CurrentState();
  if (color) *color = s.color;
  if (width) *width = s.penWidth;
  if (fill) *fill = s.fill;
}

void SetColor(Color color) {
  const DrawingState& s = CurrentState();
  Submit(PenOp{color, s.penWidth, s.fill});
}

void SetFill(bool on) {
  const DrawingState& s = CurrentState();
  Submit(PenOp{s.color, s.penWidth, on});
}

void SetDrawingMode(int mode) {
  if (mode == DrawCopy || mode == DrawXor) Submit(ModeOp{mode});
}

void SetFont(const char* face, int size, int style) {
  constexpr size_t FaceMaxLength = 31;
  std::string name = face ? std::string(face).substr(0, FaceMaxLength) : DefaultFontFace;
  Submit(FontOp{std::move(name), size, style});
}

void GetFont(std::string* face, int* size, int* style) {
  const DrawingState& s = CurrentState();
  if (face) *face = s.fontFace;
  if (size) *size = s.fontSize;
  if (style) *style = s.fontStyle;
}

void SetClipRect(const Rect& rect) { Submit(ClipOp{true, rect}); }
void ClearClip() { Submit(ClipOp{false, Rect{}}); }

// --- Drawing --------------------------------------------------------------------------------

void MoveTo(int x, int y) { Submit(MoveOp{x, y}); }
void LineTo(int x, int y) { Submit(LineToOp{x, y}); }

void GetPenPosition(int* x, int* y) {
  const DrawingState& s = CurrentState();
  if (x) *x = s.penX;
  if (y) *y = s.penY;
}

void DrawLine(int x1, int y1, int x2, int y2) {
  if (port) Submit(LineOp{x1, y1, x2, y2});
}
void DrawPoint(int x, int y) {
  if (port) Submit(PointOp{x, y});
}
void DrawRect(const Rect& rect) {
  if (port) Submit(RectOp{rect});
}
void DrawEllipse(int left, int top, int right, int bottom) {
  if (port) Submit(EllipseOp{Rect{left, top, right, bottom}});
}

Polygon* NewPolygon(int count, const int16_t* xs, const int16_t* ys) {
  if (count < 1 || !xs || !ys) return nullptr;
  auto* polygon = new (std::nothrow) Polygon;
  if (!polygon) return nullptr;
  try {
    polygon->points.resize(count);
  } catch (const std::bad_alloc&) {
    delete polygon;
    return nullptr;
  }
  polygon->count = count;
  for (int i = 0; i < count; ++i) polygon->points[i] = {xs[i], ys[i]};
  return polygon;
}

void DisposePolygon(Polygon* polygon) { delete polygon; }

void DrawPolygon(const Polygon* polygon) {
  if (!port || !polygon || polygon->count < 1) return;
  const size_t count = std::min<size_t>(polygon->count, polygon->points.size());
  Submit(PolygonOp{
      std::vector<PolygonPoint>(polygon->points.begin(), polygon->points.begin() + count)});
}

void DrawText(const char* text, int length, int x, int y) {
  if (!port || !text) return;
  const size_t bytes = length > 0 ? strnlen(text, length) : std::strlen(text);
  Submit(TextOp{std::string(text, bytes), x, y});
}

void MeasureText(const char* text, int length, int* width, int* height) {
  const DrawingState& s = CurrentState();
  const QFont font = StateFont(s);
  const bool symbol = IsSymbolFace(s.fontFace);
  const size_t bytes = !text ? 0 : length > 0 ? strnlen(text, length) : std::strlen(text);
  const QFontMetrics metrics(font);
  if (width)
    *width = metrics.horizontalAdvance(TextForFont(std::string(text ? text : "", bytes), symbol));
  if (height) *height = metrics.height();
}

void DrawIcon(const Icon* icon, int x, int y) {
  if (port && icon) Submit(IconOp{icon, x, y});
}

void CopyImage(const Image* image, const Rect* source, const Rect* destination) {
  if (!port || !image) return;
  const Rect whole{0, 0, image->header.width, image->header.height};
  const Rect from = source ? *source : whole;
  const Rect to = destination ? *destination : Rect{0, 0, RectWidth(from), RectHeight(from)};
  QImage pixels = ImageToQImage(*image);
  // A recording keeps its own copy; so does drawing an image into itself.
  if (port->recording || (port->surface && pixels.constBits() == port->surface->constBits())) {
    pixels = pixels.copy();
  }
  Submit(ImageOp{std::make_shared<const QImage>(std::move(pixels)), from, to});
}

}  // namespace qv
