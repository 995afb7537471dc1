// chart/view.cpp - view commands on the settings record (see view.h).
#include "chart/view.h"

#include <algorithm>
#include <cmath>

#include "astro/angles.h"
#include "chart/drawing.h"
#include "chart/magnitudes.h"
#include "chart/projection.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"

namespace qv {
namespace {

double FieldLimit(int projection) {
  switch (projection) {
    case ProjectionPlanar:
      return PlanarFieldLimit;
    case ProjectionSpherical:
      return SphericalFieldLimit;
    case ProjectionLambert:
      return LambertFieldLimit;
    default:
      return HUGE_VAL;
  }
}

void StopFollowing(ChartOptions& s) { s.CenteredObject = 0; }

// Degrees of a thumb position wrapped into the bar's range 1..360.
int WrapThumb(int position) { return (position + 359) % 360 + 1; }

}  // namespace

const double FieldPresets[FieldPresetCount] = {
    6.2831853072,           4.7123889804,          3.1415926536,   1.5707963268,
    0.7853981634,           0.2617993878,          0.0872664626,   0.01745329252,
    0.00872664626,          0.0029088820866666667, 0.000872664626, 0.00029088820866666667,
    0.00014544410433333334, 4.848136811111111e-05,
};

bool ProjectionServesField(int projection, double field) { return field <= FieldLimit(projection); }

int ProjectionForField(int current, double field) {
  int candidate = current;
  while (!ProjectionServesField(candidate, field) && candidate < ProjectionMercator) ++candidate;
  return candidate;
}

const char* ProjectionName(int projection) {
  static const char* const names[] = {"Planar", "Spherical", "Lambert", "Mercator", "Mollweide"};
  if (projection < ProjectionPlanar || projection > ProjectionMollweide) return "";
  return names[projection - ProjectionPlanar];
}

int SetFieldWidth(ChartOptions& s, double field) {
  const int projection = ProjectionForField(s.ChartProjection, field);
  if (projection != s.ChartProjection) {
    if (Caution(ButtonsOkCancel, MessageSwitchProjection, ProjectionName(projection)) != AnswerOk) {
      return ResultCancelled;
    }
    s.ChartProjection = static_cast<Projection>(projection);
  }
  field = std::clamp(field, MinFieldWidth, MaxFieldWidth);
  if (s.AutomaticMagnitudeLimits) {
    ShiftMagnitudeLimits(s, AutomaticLimitShift(s.ChartFieldWidth, field));
  }
  s.ChartFieldWidth = field;
  return ResultOk;
}

int ZoomIn(ChartOptions& s) { return SetFieldWidth(s, s.ChartFieldWidth / s.ChartZoomFactor); }
int ZoomOut(ChartOptions& s) { return SetFieldWidth(s, s.ChartFieldWidth * s.ChartZoomFactor); }

int ZoomAtPixel(ChartOptions& s, const ChartFrame& frame, int x, int y, int notches) {
  constexpr int Corrections = 4;  // each at least halves the error of the one before
  Vector3 held;
  const bool onSky = ChartToSky(frame, x, y, held);
  const int result = SetFieldWidth(s, s.ChartFieldWidth * std::pow(s.ChartZoomFactor, -notches));
  if (result != ResultOk || !onSky) return result;
  const Vector3 heldChart{held.x * DirectionLength, held.y * DirectionLength,
                          held.z * DirectionLength};
  for (int i = 0; i < Corrections; ++i) {
    const ChartFrame f = MakeChartFrame(ChartViewOf(s), frame.systemMatrix, frame.zenith,
                                        frame.left, frame.top, frame.right, frame.bottom);
    const ChartPoint p = ProjectToChart(f, heldChart);
    Vector3 centre;
    if (!p.front || (p.x == x && p.y == y) ||
        !ChartToSky(f, f.cx + (p.x - x), f.cy + (p.y - y), centre))
      break;
    CenterOnDirection(s, centre, f.systemMatrix);
  }
  return ResultOk;
}

int SetFieldPreset(ChartOptions& s, int index) {
  if (index < 0 || index >= FieldPresetCount) return ResultFailed;
  return SetFieldWidth(s, FieldPresets[index]);
}

bool IsFieldPresetChecked(const ChartOptions& s, int index) {
  if (index < 0 || index >= FieldPresetCount) return false;
  return std::abs(s.ChartFieldWidth - FieldPresets[index]) < MinFieldWidth;
}

void SetProjection(ChartOptions& s, int projection) {
  if (projection < ProjectionPlanar || projection > ProjectionMollweide) return;
  s.ChartProjection = static_cast<Projection>(projection);
}

void CenterOnHorizonPoint(ChartOptions& s, int point) {
  static const double centres[][2] = {{0, 0},           {HalfPi, 0},  {Pi, 0},
                                      {ThreeHalfPi, 0}, {Pi, HalfPi}, {Pi, -HalfPi}};
  if (point < HorizonNorth || point > HorizonNadir) return;
  StopFollowing(s);
  s.ChartCoordinateSystem = CoordinatesHorizon;
  s.ChartCenterLongitude = centres[point - HorizonNorth][0];
  s.ChartCenterLatitude = centres[point - HorizonNorth][1];
}

void CenterOnDirection(ChartOptions& s, const Vector3& direction, const Matrix3& systemMatrix) {
  Vector3 v = direction;
  Transform(systemMatrix, v);
  const Spherical centre = RectangularToSpherical(v);
  StopFollowing(s);
  s.ChartCenterLongitude = centre.lon;
  s.ChartCenterLatitude = centre.lat;
}

bool CenterAtPixel(ChartOptions& s, int x, int y) {
  const ChartFrame& f = CurrentChartFrame();
  Vector3 v;
  if (!ChartToSky(f, x, y, v)) return false;
  CenterOnDirection(s, v, f.systemMatrix);
  return true;
}

void ConvertCoordinates(const Matrix3& from, const Matrix3& to, double& lon, double& lat) {
  Vector3 v = SphericalToRectangular(lon, lat, 1);
  TransformTransposed(from, v);
  Transform(to, v);
  const Spherical out = RectangularToSpherical(v);
  lon = out.lon;
  lat = out.lat;
}

void ScrollChart(ChartOptions& s, int bar, int part, int position) {
  StopFollowing(s);
  const double step = s.ChartFieldWidth / s.ChartScrollRate;
  const double page = s.ChartFieldWidth / 2;
  const bool horizon = s.ChartCoordinateSystem == CoordinatesHorizon;
  const bool thumb = part == PartThumbReleased || part == PartThumbDragged;
  if (bar == ScrollHorizontal) {
    // Longitude grows to the left of the chart, azimuth to the right.
    const double left = horizon ? -1 : 1;
    switch (part) {
      case PartLineUp:
        s.ChartCenterLongitude += left * step;
        break;
      case PartLineDown:
        s.ChartCenterLongitude -= left * step;
        break;
      case PartPageUp:
        s.ChartCenterLongitude += left * page;
        break;
      case PartPageDown:
        s.ChartCenterLongitude -= left * page;
        break;
      default:
        if (!thumb) return;
        s.ChartCenterLongitude = (horizon ? position - 1 : 360 - position) * SettingsDegToRad;
        break;
    }
    s.ChartCenterLongitude = NormalizeAngle(s.ChartCenterLongitude);
  } else if (bar == ScrollVertical) {
    switch (part) {
      case PartLineUp:
        s.ChartCenterLatitude += step;
        break;
      case PartLineDown:
        s.ChartCenterLatitude -= step;
        break;
      case PartPageUp:
        s.ChartCenterLatitude += page;
        break;
      case PartPageDown:
        s.ChartCenterLatitude -= page;
        break;
      default:
        if (!thumb) return;
        s.ChartCenterLatitude = -position * SettingsDegToRad;
        break;
    }
    s.ChartCenterLatitude = std::clamp(s.ChartCenterLatitude, -HalfPi, HalfPi);
  }
}

ScrollThumbs ChartScrollThumbs(const ChartOptions& s) {
  ScrollThumbs thumbs;
  thumbs.vertical = -static_cast<int>(std::round(s.ChartCenterLatitude * RadToDeg));
  const double lonDeg = NormalizeAngle(s.ChartCenterLongitude) * RadToDeg;
  // The thumb is the inverse of the thumb command above, rounded to the nearest degree, so a
  // thumb released at p stays at p.
  const int position = s.ChartCoordinateSystem == CoordinatesHorizon
                           ? static_cast<int>(lonDeg + 1.5)
                           : static_cast<int>(360 - lonDeg + 0.5);
  thumbs.horizontal = WrapThumb(position);
  return thumbs;
}

}  // namespace qv
