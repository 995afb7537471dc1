// chart/milky_way.cpp - the Milky Way's areas clipped on the sphere and filled (milky_way.h).
#include "chart/milky_way.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "chart/pens.h"
#include "objects/store.h"
#include "platform/files.h"

namespace qv {

namespace {

using Curve = std::vector<Vector3>;  // unit vectors; closed when its last point is its first

constexpr double Pi = 3.141592653589793;
constexpr double Degree = Pi / 180;
constexpr double ArcStep = 2 * Degree;        // sampling of the edges followed on the sky
constexpr double SeamOffset = 1e-8;           // keeps a seam edge on its own side of the map
constexpr double MercatorPoleLimit = 0.9998;  // sin 88.9 deg: Mercator's y grows without bound
constexpr double PixelLimit = 32000;          // within the drawing surface's 16 bits

// The part of the sphere where v . axis >= level.
struct Cap {
  Vector3 axis;
  double level = 0;
};

Vector3 Scaled(const Vector3& v, double k) { return Vector3{v.x * k, v.y * k, v.z * k}; }
Vector3 Sum(const Vector3& a, const Vector3& b) { return Vector3{a.x + b.x, a.y + b.y, a.z + b.z}; }
Vector3 CrossOf(const Vector3& a, const Vector3& b) {
  Vector3 out;
  Cross(a, b, out);
  return out;
}
Vector3 Normalized(const Vector3& v) {
  const double length = Length(v);
  return length > 0 ? Scaled(v, 1 / length) : v;
}
bool SamePoint(const Vector3& a, const Vector3& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Whether the great-circle arcs a-b (plane normal n1) and p-q, each under half a circle, cross.
bool ArcsCross(const Vector3& a, const Vector3& b, const Vector3& n1, const Vector3& p,
               const Vector3& q) {
  if ((Dot(n1, p) > 0) == (Dot(n1, q) > 0)) return false;
  const Vector3 n2 = CrossOf(p, q);
  if ((Dot(n2, a) > 0) == (Dot(n2, b) > 0)) return false;
  // The two great circles meet at x and -x: the arcs cross when both hold the same one.
  Vector3 x = CrossOf(n1, n2);
  if (Dot(x, Sum(a, b)) < 0) x = Scaled(x, -1);
  return Dot(x, Sum(p, q)) > 0;
}

// Even-odd rule: whether b is inside the area the curves bound, reference lying outside it.
bool Inside(std::span<const Curve> curves, const Vector3& reference, const Vector3& b) {
  const Vector3 n1 = CrossOf(reference, b);
  bool inside = false;
  for (const Curve& c : curves) {
    for (size_t k = 1; k < c.size(); ++k) {
      if (ArcsCross(reference, b, n1, c[k - 1], c[k])) inside = !inside;
    }
  }
  return inside;
}

// The circle where the cap ends, as points at angles about its axis.
struct CapEdge {
  Cap cap;
  Vector3 u, w;   // orthonormal, perpendicular to the axis
  double radius;  // of the circle, in unit-sphere lengths

  explicit CapEdge(const Cap& c) : cap(c), radius(std::sqrt(std::max(0.0, 1 - c.level * c.level))) {
    const Vector3 a = c.axis;
    const Vector3 helper = std::fabs(a.x) < 0.9 ? Vector3{1, 0, 0} : Vector3{0, 1, 0};
    u = Normalized(CrossOf(a, helper));
    w = CrossOf(a, u);
  }
  double Height(const Vector3& v) const { return Dot(v, cap.axis) - cap.level; }
  Vector3 At(double angle) const {
    return Sum(Scaled(cap.axis, cap.level),
               Sum(Scaled(u, radius * std::cos(angle)), Scaled(w, radius * std::sin(angle))));
  }
  double AngleOf(const Vector3& v) const { return std::atan2(Dot(v, w), Dot(v, u)); }
  // Where the chord p-q passes the edge, put exactly on the circle.
  Vector3 Crossing(const Vector3& p, const Vector3& q) const {
    const double hp = Height(p), hq = Height(q);
    const Vector3 v = Sum(p, Scaled(Sum(q, Scaled(p, -1)), hp / (hp - hq)));
    return At(AngleOf(v));
  }
};

struct EdgePoint {
  double angle;
  Vector3 point;
};

// The pieces of one curve inside the cap; crossings of the edge are added to edge.
void ClipCurve(const Curve& c, const CapEdge& edge, std::vector<Curve>& out,
               std::vector<EdgePoint>& crossings) {
  if (c.size() < 2) return;
  const bool closed = SamePoint(c.front(), c.back());
  size_t start = 0;
  const size_t distinct = closed ? c.size() - 1 : c.size();
  if (closed) {  // start outside, so that no piece wraps around the curve's first point
    while (start < distinct && edge.Height(c[start]) >= 0) ++start;
    if (start == distinct) {
      out.push_back(c);
      return;
    }
  }
  const auto at = [&](size_t k) -> const Vector3& {
    return closed ? c[(start + k) % distinct] : c[k];
  };
  const size_t count = closed ? distinct + 1 : c.size();
  Curve piece;
  bool wasIn = edge.Height(at(0)) >= 0;
  if (wasIn) piece.push_back(at(0));
  for (size_t k = 1; k < count; ++k) {
    const Vector3& p = at(k - 1);
    const Vector3& q = at(k);
    const bool in = edge.Height(q) >= 0;
    if (in != wasIn) {
      const Vector3 x = edge.Crossing(p, q);
      crossings.push_back({edge.AngleOf(x), x});
      piece.push_back(x);
      if (!in) {
        out.push_back(std::move(piece));
        piece.clear();
      }
    }
    if (in) piece.push_back(q);
    wasIn = in;
  }
  if (piece.size() >= 2) out.push_back(std::move(piece));
}

// The edge from a to b (angles increasing), its end points exactly a's and b's.
Curve EdgeArc(const CapEdge& edge, const EdgePoint& a, const EdgePoint& b, double endAngle) {
  Curve arc{a.point};
  const int steps = static_cast<int>(std::ceil((endAngle - a.angle) / ArcStep));
  for (int k = 1; k < steps; ++k) {
    arc.push_back(edge.At(a.angle + (endAngle - a.angle) * k / steps));
  }
  arc.push_back(b.point);
  return arc;
}

// ClipToCap: the area the curves bound (reference outside it) within the cap, as curves that
// together close: the pieces inside, and the stretches of the cap's edge that lie in the area.
std::vector<Curve> ClipToCap(const std::vector<Curve>& curves, const Cap& cap,
                             const Vector3& reference) {
  const CapEdge edge(cap);
  std::vector<Curve> out;
  std::vector<EdgePoint> crossings;
  for (const Curve& c : curves) ClipCurve(c, edge, out, crossings);
  if (crossings.empty()) {  // the edge lies wholly inside the area or wholly outside
    if (Inside(curves, reference, edge.At(0))) {
      Curve circle;
      for (double a = 0; a < 2 * Pi; a += ArcStep) circle.push_back(edge.At(a));
      circle.push_back(circle.front());
      out.push_back(std::move(circle));
    }
    return out;
  }
  std::sort(crossings.begin(), crossings.end(),
            [](const EdgePoint& a, const EdgePoint& b) { return a.angle < b.angle; });
  for (size_t k = 0; k < crossings.size(); ++k) {
    const EdgePoint& a = crossings[k];
    const EdgePoint& b = crossings[(k + 1) % crossings.size()];
    const double end = b.angle > a.angle ? b.angle : b.angle + 2 * Pi;
    if (end - a.angle < 1e-12) continue;
    if (Inside(curves, reference, edge.At((a.angle + end) / 2))) {
      out.push_back(EdgeArc(edge, a, b, end));
    }
  }
  return out;
}

Vector3 Row(const Matrix3& m, int i) { return Vector3{m.m[i][0], m.m[i][1], m.m[i][2]}; }

// The angle from the chart's centre to its farthest corner, or pi when a corner shows no sky.
double FarthestCorner(const ChartFrame& f) {
  const Vector3 centre = Row(f.matrix, 0);
  double farthest = 0;
  for (int x : {f.left, f.right}) {
    for (int y : {f.top, f.bottom}) {
      Vector3 v;
      if (!ChartToSky(f, x, y, v)) return Pi;
      farthest = std::max(farthest, std::acos(std::clamp(Dot(Normalized(v), centre), -1.0, 1.0)));
    }
  }
  return farthest;
}

// How far from its centre the projection can go before it runs off or turns over.
double ProjectionReach(const ChartFrame& f) {
  switch (f.projection) {
    case ProjectionPlanar:
      return 89 * Degree;
    case ProjectionSpherical:
      return 90 * Degree;
    case ProjectionLambert:
      return std::acos(f.depthThreshold / DirectionLength);
    default:
      return Pi;
  }
}

// The parts of the sky to clip to, each a chain of caps.
std::vector<std::vector<Cap>> VisibleParts(const ChartFrame& f) {
  std::vector<Cap> base;
  if (f.horizonMask) base.push_back({f.zenith, f.horizonSine});
  const Vector3 a = Row(f.matrix, 0), b = Row(f.matrix, 1), c = Row(f.matrix, 2);
  const double reach = std::min(ProjectionReach(f), FarthestCorner(f) * 1.05 + Degree);
  if (reach < Pi) {
    base.push_back({a, std::cos(reach)});
    return {base};
  }
  if (f.projection == ProjectionMercator) {
    base.push_back({Scaled(c, -1), -MercatorPoleLimit});
    base.push_back({c, -MercatorPoleLimit});
  }
  std::vector<std::vector<Cap>> parts(3, base);
  parts[0].push_back({a, 0});
  parts[1].push_back({Scaled(a, -1), 0});
  parts[1].push_back({b, SeamOffset});
  parts[2].push_back({Scaled(a, -1), 0});
  parts[2].push_back({Scaled(b, -1), SeamOffset});
  return parts;
}

std::vector<PolygonPoint> Projected(const Curve& c, const ChartFrame& f) {
  std::vector<PolygonPoint> points;
  points.reserve(c.size());
  for (const Vector3& v : c) {
    const ChartPoint p = ProjectToChart(f, Scaled(v, DirectionLength));
    points.push_back({static_cast<int16_t>(std::clamp<double>(p.x, -PixelLimit, PixelLimit)),
                      static_cast<int16_t>(std::clamp<double>(p.y, -PixelLimit, PixelLimit))});
  }
  return points;
}

// The pieces joined into one polygon through a common point: each joining edge is passed once
// each way (a piece's ends are the ends of other pieces), so the even-odd fill ignores them.
std::vector<PolygonPoint> JoinedPolygon(const std::vector<std::vector<PolygonPoint>>& pieces) {
  std::vector<PolygonPoint> polygon;
  if (pieces.empty()) return polygon;
  const PolygonPoint anchor = pieces.front().front();
  for (const std::vector<PolygonPoint>& piece : pieces) {
    polygon.push_back(anchor);
    polygon.insert(polygon.end(), piece.begin(), piece.end());
  }
  polygon.push_back(anchor);
  return polygon;
}

}  // namespace

MilkyWayShades MilkyWayShadesBetween(Color sky, Color milkyWay) {
  MilkyWayShades shades;
  const auto mix = [](int from, int to, int k) { return from + (to - from) * k / MilkyWayLevels; };
  for (int k = 1; k <= MilkyWayLevels; ++k) {
    shades[k - 1] =
        MakeColor(mix(RedOf(sky), RedOf(milkyWay), k), mix(GreenOf(sky), GreenOf(milkyWay), k),
                  mix(BlueOf(sky), BlueOf(milkyWay), k));
  }
  return shades;
}

std::vector<MilkyWayArea> MilkyWayAreas(const MilkyWay& outline, const ChartFrame& frame) {
  const std::vector<std::vector<Cap>> parts = VisibleParts(frame);
  std::vector<MilkyWayArea> areas;
  for (int level = 1; level <= MilkyWayLevels; ++level) {
    std::vector<Curve> rings;
    for (const MilkyWayRing& ring : outline.rings) {
      if (ring.level != level) continue;
      rings.push_back(ring.points);
      rings.back().push_back(ring.points.front());
    }
    if (rings.empty()) continue;
    MilkyWayArea area{level, {}};
    for (const std::vector<Cap>& caps : parts) {
      std::vector<Curve> curves = rings;
      Vector3 reference = NorthGalacticPole();
      for (const Cap& cap : caps) {
        curves = ClipToCap(curves, cap, reference);
        reference = Scaled(cap.axis, -1);  // outside the cap, so outside what is left
      }
      for (const Curve& c : curves) area.pieces.push_back(Projected(c, frame));
    }
    if (!area.pieces.empty()) areas.push_back(std::move(area));
  }
  return areas;
}

void DrawMilkyWay(const MilkyWay& outline, const ChartFrame& frame, const MilkyWayShades& shades) {
  for (const MilkyWayArea& area : MilkyWayAreas(outline, frame)) {
    const std::vector<PolygonPoint> points = JoinedPolygon(area.pieces);
    Polygon polygon{static_cast<int32_t>(points.size()), points};
    SetPen(shades[area.level - 1], 0, true);
    DrawPolygon(&polygon);
  }
}

void DrawMilkyWayPass(const ChartOptions& s) {
  if (SkyIsLight(s)) return;  // white paper, or a daylight sky that hides it
  static std::string directory;
  static MilkyWay outline;
  static bool read = false;
  const std::string& current = Store().databaseDirectory;
  if (!read || current != directory) {
    directory = current;
    read = true;
    std::string path = directory;
    AppendPathComponent(path, "MilkyWay.txt");
    ReadMilkyWay(path, outline);
  }
  const Color c = s.Colors[MilkyWayColor];
  const int grey = (RedOf(c) * 30 + GreenOf(c) * 59 + BlueOf(c) * 11) / 100;
  const Color color = s.RedScreen    ? MakeColor(grey, 0, 0)
                      : s.ShowColors ? c
                                     : MakeColor(grey, grey, grey);
  DrawMilkyWay(outline, CurrentChartFrame(), MilkyWayShadesBetween(SkyFillColor(s), color));
}

}  // namespace qv
