// chart/lines.cpp - the geometry of the projected-line engine (see lines.h).
// Clipping works in doubles from 32-bit ends, so ends far outside the rectangle (a Planar point
// just in front of the observer lands billions of pixels away) clip without overflow and only
// pixels inside the rectangle reach the drawing surface.
#include "chart/lines.h"

#include <cmath>

namespace qv {
namespace {

bool InsideRect(const ChartFrame& f, int32_t x, int32_t y) {
  return x >= f.left && x <= f.right && y >= f.top && y <= f.bottom;
}

// The point at fraction t of the chord from p toward q, stretched back to length R. A zero
// denominator in t (both ends at the same height) takes the far end q.
Vector3 ChordPoint(const Vector3& p, const Vector3& q, double num, double den) {
  if (den == 0) return q;
  const double t = num / den;
  Vector3 c{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y), p.z + t * (q.z - p.z)};
  const double len = Length(c);
  if (len > 0)
    c = {c.x * DirectionLength / len, c.y * DirectionLength / len, c.z * DirectionLength / len};
  return c;
}

double CrossComponent(const ChartFrame& f, const Vector3& v) {
  return f.matrix.m[1][0] * v.x + f.matrix.m[1][1] * v.y + f.matrix.m[1][2] * v.z;
}

// Ends of the segment under construction.
struct Ends {
  int32_t x0, y0, d0, x1, y1, d1;
};

// Cuts the segment at the horizon; false when all of it lies below.
bool CutAtHorizon(ChartPen& pen, const ChartFrame& f, const Vector3& v, Ends& e, bool& endVisible) {
  const int32_t h = f.horizonLevel;
  const int32_t a0 = pen.height;
  const int32_t a1 = HorizonHeight(f, v);
  pen.height = a1;
  // A vertex exactly on the horizon counts as above it, as on-chart tests count it; so a
  // segment leaving from the horizon downward collapses to its start instead of being drawn
  // whole below the ground.
  const bool startAbove = a0 >= h, endAbove = a1 >= h;
  if (startAbove && endAbove) return true;
  if (!startAbove && !endAbove) {
    endVisible = false;
    return false;
  }
  if (endAbove) {  // rising out of the ground: the start moves up to the horizon
    const ChartPoint c =
        ProjectToChart(f, ChordPoint(v, pen.vector, double(a1) - h, double(a1) - a0));
    e.x0 = c.x, e.y0 = c.y, e.d0 = c.depth;
  } else {  // sinking: the end moves down to the horizon and is hidden
    const ChartPoint c =
        ProjectToChart(f, ChordPoint(pen.vector, v, double(a0) - h, double(a0) - a1));
    e.x1 = c.x, e.y1 = c.y, e.d1 = c.depth;
    endVisible = false;
  }
  return true;
}

void AddPiece(const ChartFrame& f, LineStep& step, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
              bool mustMove) {
  if (!ClipSegment(f, x0, y0, x1, y1)) return;
  if (!step.drawn) {
    step.x0 = x0;
    step.y0 = y0;
  }
  step.x1 = x1;
  step.y1 = y1;
  step.drawn = true;
  step.pieces[step.pieceCount++] = {x0, y0, x1, y1, mustMove};
}

// Mercator and Mollweide: a segment behind the centre whose ends fall on opposite sides of the
// map crosses the rear seam; it becomes two pieces, each running out to its own map edge.
bool CrossesSeam(const ChartFrame& f, const Ends& e) {
  if (f.projection != ProjectionMercator && f.projection != ProjectionMollweide) return false;
  return e.d0 < 0 && e.d1 < 0 && ((e.x0 < f.cx && e.x1 > f.cx) || (e.x0 > f.cx && e.x1 < f.cx));
}

void SplitAtSeam(const ChartFrame& f, const Vector3& p, const Vector3& v, const Ends& e,
                 LineStep& step) {
  const double bp = CrossComponent(f, p), bv = CrossComponent(f, v);
  const ChartPoint c = ProjectToChart(f, ChordPoint(p, v, bp, bp - bv));
  int32_t xc = c.x;
  // The crossing projects to one map edge or the other by the sign of a vanishing B: take the
  // edge on the start's side.
  if ((e.x0 < f.cx && xc > f.cx) || (e.x0 > f.cx && xc < f.cx)) xc = 2 * f.cx - xc;
  AddPiece(f, step, e.x0, e.y0, xc, c.y, false);
  AddPiece(f, step, 2 * f.cx - xc, c.y, e.x1, e.y1, true);
  step.startVisible = false;
  step.endVisible = false;
}

bool BothInFront(const ChartFrame& f, const Ends& e) {
  switch (f.projection) {
    case ProjectionPlanar:
      return e.d0 >= 1 && e.d1 >= 1;
    case ProjectionSpherical:
    case ProjectionLambert:
      return e.d0 > f.depthThreshold && e.d1 > f.depthThreshold;
    default:
      return true;
  }
}

}  // namespace

ChartPen& CurrentChartPen() {
  static ChartPen pen;
  return pen;
}

bool ClipSegment(const ChartFrame& f, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) {
  if ((x0 < f.left && x1 < f.left) || (x0 > f.right && x1 > f.right) ||
      (y0 < f.top && y1 < f.top) || (y0 > f.bottom && y1 > f.bottom)) {
    return false;
  }
  const double dx = double(x1) - x0, dy = double(y1) - y0;
  // Each end slides along the segment onto the edge it lies beyond; the slopes are those of
  // the whole segment. An end needs a slope only when the other end is on the inner side, so
  // dx (or dy) is not zero whenever it is used.
  auto toX = [&](int32_t& x, int32_t& y, int32_t edge) {
    y = SaturateToInt32(y + (edge - double(x)) * (dy / dx));
    x = edge;
  };
  auto toY = [&](int32_t& x, int32_t& y, int32_t edge) {
    x = SaturateToInt32(x + (edge - double(y)) * (dx / dy));
    y = edge;
  };
  if (x0 < f.left) toX(x0, y0, f.left);
  if (x1 < f.left) toX(x1, y1, f.left);
  if (x0 > f.right) toX(x0, y0, f.right);
  if (x1 > f.right) toX(x1, y1, f.right);
  if (y0 < f.top) toY(x0, y0, f.top);
  if (y1 < f.top) toY(x1, y1, f.top);
  if (y0 > f.bottom) toY(x0, y0, f.bottom);
  if (y1 > f.bottom) toY(x1, y1, f.bottom);
  return InsideRect(f, x0, y0) && InsideRect(f, x1, y1);
}

void TraceMoveTo(ChartPen& pen, const ChartFrame& f, const Vector3& v) {
  const ChartPoint p = ProjectToChart(f, v);
  pen.visible = p.front;
  if (f.horizonMask) {
    pen.height = HorizonHeight(f, v);
    if (pen.height < f.horizonLevel) pen.visible = false;
  }
  if (!InsideRect(f, p.x, p.y)) pen.visible = false;
  pen.x = p.x;
  pen.y = p.y;
  pen.depth = p.depth;
  pen.vector = v;
}

LineStep TraceLineTo(ChartPen& pen, const ChartFrame& f, const Vector3& v) {
  const ChartPoint end = ProjectToChart(f, v);
  Ends e{pen.x, pen.y, pen.depth, end.x, end.y, end.depth};
  bool endVisible = end.front && InsideRect(f, end.x, end.y);
  pen.x = end.x;
  pen.y = end.y;
  pen.depth = end.depth;
  const bool aboveGround = !f.horizonMask || CutAtHorizon(pen, f, v, e, endVisible);

  LineStep step;
  step.startVisible = pen.visible;
  step.endVisible = endVisible;
  pen.visible = endVisible;
  if (aboveGround && CrossesSeam(f, e)) {
    SplitAtSeam(f, pen.vector, v, e, step);
    pen.visible = false;
  } else if (aboveGround && BothInFront(f, e)) {
    AddPiece(f, step, e.x0, e.y0, e.x1, e.y1, false);
  }
  if (!step.drawn) {
    step.x0 = e.x0, step.y0 = e.y0, step.x1 = e.x1, step.y1 = e.y1;
  }
  pen.vector = v;
  return step;
}

}  // namespace qv
