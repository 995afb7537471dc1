// chart/readout.cpp - the mouse coordinate readout (see readout.h).
#include "chart/readout.h"

#include <cstdio>

#include "astro/angles.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "chart/sky_link.h"
#include "objects/textformat.h"
#include "platform/draw.h"

namespace qv {
namespace {

constexpr int ReadoutCorner = 3;  // pixels from the chart's top-left corner

Rect& LastReadoutBox() {  // empty until the first readout
  static Rect box;
  return box;
}

// The longitude and latitude under a pixel in the chart's coordinate system.
bool SkyUnder(int x, int y, Spherical& out) {
  const ChartFrame& f = CurrentChartFrame();
  Vector3 v;
  if (!ChartToSky(f, x, y, v)) return false;
  Transform(f.systemMatrix, v);
  out = RectangularToSpherical(v);
  return true;
}

}  // namespace

bool MouseReadoutText(int x, int y, int x2, int y2, std::string& text) {
  Spherical here;
  if (!SkyUnder(x, y, here)) return false;
  double separation = 0, angle = 0;
  Spherical from;
  if (x2 != 0 && SkyUnder(x2, y2, from)) {
    separation = AngularSeparation(from.lon, from.lat, here.lon, here.lat);
    angle = PositionAngle(from.lon, from.lat, here.lon, here.lat);
  }
  const CoordinateTexts texts =
      FormatCoordinates(CurrentChartFrame().system, here.lon, here.lat, CoordinateLabelsAndValues,
                        ChartPrecessionEpoch());
  const AngleParts sep = SplitSexagesimal(separation * RadToDeg, 1);
  char line[256];
  std::snprintf(line, sizeof line, "%s  %s  Sep: %03d° %02d' %04.1f\"  PA: %05.1f°",
                texts.lon.c_str(), texts.lat.c_str(), sep.whole, sep.minutes, sep.seconds,
                angle * RadToDeg);
  text = line;
  return true;
}

void DrawMouseReadout(const ChartOptions& options, int x, int y, int x2, int y2) {
  std::string text;
  if (!MouseReadoutText(x, y, x2, y2, text)) return;
  Rect& box = LastReadoutBox();
  if (RectWidth(box) > 0) FillSkyRectangle(options, box);
  int width = 0, height = 0;
  MeasureText(text.c_str(), 0, &width, &height);
  SetChartPen(options, PenForeground, 1, true);
  DrawText(text.c_str(), 0, ReadoutCorner, ReadoutCorner);
  box = Rect{ReadoutCorner, ReadoutCorner, width + ReadoutCorner, height + ReadoutCorner};
}

}  // namespace qv
