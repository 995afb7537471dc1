// chart/view.h - the commands that change the view: field width, zoom and presets, projection
// and coordinate system, centring, scrolling. They change the chart options they are given; the
// caller then recomputes, redraws and refreshes the menus. A command that moves the centre stops
// following an object; the caller stops whatever else the centre followed (the telescope).
#pragma once

#include "astro/constants.h"
#include "astro/vector.h"
#include "chart/chart_options.h"
#include "chart/projection.h"

namespace qv {

// The widest field each projection serves (radians); Mercator and Mollweide serve any.
constexpr double PlanarFieldLimit = 2.3561944905;    // 135 degrees
constexpr double SphericalFieldLimit = 3.141592664;  // 180 degrees
constexpr double LambertFieldLimit = ThreeHalfPi;    // 270 degrees
constexpr double MaxFieldWidth = TwoPi;              // 360 degrees
constexpr double MinFieldWidth = ArcsecToRad;        // one arc second

// ProjectionServesField: whether the projection can show the field (the View menu enables the
// projections that can).
bool ProjectionServesField(int projection, double field);
// ProjectionForField: the current projection when it serves the field, else the first of
// Planar, Spherical, Lambert, Mercator after it that does.
int ProjectionForField(int current, double field);
// ProjectionName: "Planar" ... "Mollweide", as the menu and settings files spell them.
const char* ProjectionName(int projection);

// SetFieldWidth: asks message 522 when the field needs another projection (Cancel changes
// nothing and gives ResultCancelled), clamps the field to one arc second .. 360 degrees, shifts
// the magnitude limits with AutomaticMagnitudeLimits, stores the field. ResultOk otherwise.
int SetFieldWidth(ChartOptions& options, double field);
int ZoomIn(ChartOptions& options);
int ZoomOut(ChartOptions& options);
// ZoomAtPixel: zooms in by the zoom factor once per notch (out for negative notches), through
// SetFieldWidth, then recentres so that the sky under pixel (x, y) of the frame stays under that
// pixel (within a pixel; the projections are not linear, so the centre is corrected a few
// times). A pixel without a sky direction zooms about the centre.
int ZoomAtPixel(ChartOptions& options, const ChartFrame& frame, int x, int y, int notches);

// The fourteen field presets of the View menu, 360 degrees down to 1/360 degree.
constexpr int FieldPresetCount = 14;
extern const double FieldPresets[FieldPresetCount];
int SetFieldPreset(ChartOptions& options, int index);  // 0-based; through SetFieldWidth
// IsFieldPresetChecked: the field is within one arc second of the preset.
bool IsFieldPresetChecked(const ChartOptions& options, int index);

void SetProjection(ChartOptions& options, int projection);

// Horizon points of Center Horizon, in menu order.
enum HorizonPoint : int {
  HorizonNorth = 1,
  HorizonEast,
  HorizonSouth,
  HorizonWest,
  HorizonZenith,
  HorizonNadir,
};
void CenterOnHorizonPoint(ChartOptions& options, int point);

// CenterOnDirection: makes a store-frame direction the centre, given the chart system's matrix.
// CenterAtPixel does it for the direction under a pixel of the current frame; false (nothing
// changes) where the pixel has no sky direction.
void CenterOnDirection(ChartOptions& options, const Vector3& direction,
                       const Matrix3& systemMatrix);
bool CenterAtPixel(ChartOptions& options, int x, int y);

// ConvertCoordinates: longitude and latitude from one system to another, given both matrices.
void ConvertCoordinates(const Matrix3& from, const Matrix3& to, double& lon, double& lat);

// ScrollChart: a step of a scroll bar, with the part codes of the platform's scroll bars
// (PartLineUp, PartLineDown, PartPageUp, PartPageDown; PartThumbReleased and
// PartThumbDragged with the thumb's position). Up means left on the horizontal bar; the arrow
// keys are line steps.
enum ScrollBar : int { ScrollHorizontal = 1, ScrollVertical = 2 };
void ScrollChart(ChartOptions& options, int bar, int part, int position);

// Thumb positions for the view: horizontal 1..360, vertical -90..90, one unit per degree.
struct ScrollThumbs {
  int horizontal = 180;
  int vertical = 0;
};
ScrollThumbs ChartScrollThumbs(const ChartOptions& options);

}  // namespace qv
