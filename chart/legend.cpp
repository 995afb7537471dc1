// chart/legend.cpp - the legend band (see legend.h).
#include "chart/legend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/constants.h"
#include "chart/drawing.h"
#include "chart/magnitudes.h"
#include "chart/pens.h"
#include "chart/projection.h"
#include "chart/symbols.h"
#include "generated/string_numbers.h"
#include "objects/records.h"
#include "objects/textformat.h"
#include "platform/draw.h"
#include "platform/strings.h"

namespace qv {
namespace {

constexpr int ColumnGap = 10;
constexpr int SampleGap = 5;
constexpr int DeepSkyLabelGap = 15;
constexpr int SampleCount = 6;

std::string Text(int number) {
  const char* s = GetString(number);
  return s ? s : "";
}

std::string Format(const char* format, auto... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// "12° 34' 56" E": degrees, minutes and whole seconds with the hemisphere letter.
std::string SiteAngleText(double radians, char positive, char negative) {
  const AngleParts p = SplitSexagesimal(std::abs(radians) * RadToDeg, 0);
  return Format("%d° %02d' %02.0f\" %c", p.whole, p.minutes, p.seconds,
                radians >= 0 ? positive : negative);
}

int TextWidth(const std::string& text) {
  int width = 0;
  MeasureText(text.c_str(), static_cast<int>(text.size()), &width, nullptr);
  return width;
}

void SetChartFont(const ChartOptions& s, int extraStyle) {
  const FontSetting& font = s.ChartWindowsFont;
  SetFont(font.Face.c_str(), font.Size, font.Style | extraStyle);
}

// Draws one column of texts, the first in bold; returns its width.
int DrawColumn(const ChartOptions& s, const std::vector<std::string>& rows, int x, int top,
               int rowHeight) {
  int width = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    SetChartFont(s, i == 0 ? FontBold : 0);
    width = std::max(width, TextWidth(rows[i]));
    DrawText(rows[i].c_str(), static_cast<int>(rows[i].size()), x,
             top + static_cast<int>(i) * rowHeight);
  }
  SetChartFont(s, 0);
  return width;
}

// How far a star symbol of radius r reaches from its centre, with a variable star's ring (2
// pixels out) and a multiple star's stroke (1 more).
int SymbolReach(int r, bool large) { return (large ? r : r - r / 4) + 3; }

// The symbol radius of a sample: the magnitude's, reduced until the symbol keeps inside a cell
// of that half size, so that zoomed-in limits do not spill over the neighbours.
int SampleRadius(const StarSizeScale& scale, int magnitude, int half, bool large) {
  int r = StarRadius(scale, magnitude);
  while (r > 1 && SymbolReach(r, large) > half) --r;
  return r;
}

// The magnitude a rendered sample is drawn at: its own, or the brightest whose glow (which falls
// to 1/64 at radius ceil(sqrt((64 I - 1) / 7)), I = 10^(0.004 (faintest - m)) / 4) fits the cell.
int SampleGlowMagnitude(const StarSizeScale& scale, int magnitude, int half) {
  const double fitting = scale.faintest - 250 * std::log10(4 * (7.0 * half * half + 1) / 64);
  return std::max(magnitude, static_cast<int>(std::ceil(fitting)));
}

}  // namespace

int DrawStarSamples(const ChartOptions& s, int x, int top, int rowHeight) {
  const StarSizeScale& scale = CurrentStarScale();
  const int q = (scale.faintest - scale.brightest) / 5;
  const int start = x;
  for (int k = SampleCount - 1; k >= 0; --k) {
    const int magnitude = scale.brightest + k * q;
    const std::string label = Format("%.1f", magnitude * 0.01);
    const int width = TextWidth(label);
    SetChartPen(s, PenForeground, 1, true);
    DrawText(label.c_str(), 0, x, top);
    const int cx = x + width / 2;
    const int half = std::min(width, rowHeight) / 2;
    const int r = SampleRadius(scale, magnitude, half, s.ShowLargeStars);
    const int rowCentre = top + rowHeight + rowHeight / 2;
    if (s.ShowRenderedObjects && CurrentChartImage()) {
      const Rect cell{x, top + rowHeight, x + width, top + 2 * rowHeight};
      RenderStar(CurrentChartImage(), cx, rowCentre, SampleGlowMagnitude(scale, magnitude, half),
                 ChartForegroundColor(s), s.SkyBackground == SkyWhite, scale, &cell);
    } else {
      DrawStarSymbol(cx, rowCentre, r, MarkNone, s.ShowLargeStars);
    }
    DrawStarSymbol(cx, rowCentre + rowHeight, r, MarkMultiple, s.ShowLargeStars);
    DrawStarSymbol(cx, rowCentre + 2 * rowHeight, r, MarkVariable, s.ShowLargeStars);
    x += width + SampleGap;
  }
  return x - SampleGap - start;
}

namespace {

// The deep-sky column: heading, then each kind's first four letters with its smallest symbol.
void DrawDeepSkyColumn(const ChartOptions& s, int x, int top, int rowHeight) {
  DrawColumn(s, {Text(StringDeepSky)}, x, top, rowHeight);
  for (int kind = 61; kind <= 65; ++kind) {
    const std::string label = std::string(KindName(kind)).substr(0, 4);
    const int width = TextWidth(label);
    SetChartPen(s, PenForeground, 1, true);
    DrawText(label.c_str(), 0, x, top + rowHeight);
    DrawDeepSkySymbol(kind, x + width / 2, top + 2 * rowHeight + rowHeight / 2, 0);
    x += width + DeepSkyLabelGap;
  }
}

}  // namespace

int LegendHeight(const ChartOptions& options) {
  std::string face;
  int size = 0, style = 0;
  GetFont(&face, &size, &style);
  SetChartFont(options, 0);
  int height = 0;
  MeasureText("A", 1, nullptr, &height);
  SetFont(face.c_str(), size, style);
  return 4 * height + 1;
}

std::string ViewerDistanceText(double d) {
  if (d >= 1e10) return Format("%.2f Mpc from", d * MegaparsecsPerAu);
  if (d >= 1e4) return Format("%.2f pc from", d * ParsecsPerAu);
  if (d >= 0.1) return Format("%.5f AU from", d);
  return Format("%.0f km from", d * KmPerAu);
}

std::vector<std::vector<std::string>> LegendColumns(const ChartOptions& s,
                                                    const LegendFacts& facts) {
  const ObservingSettings& site = facts.observing;
  std::vector<std::string> viewer{Text(StringViewedFrom)};
  if (facts.viewerName.empty()) {
    viewer.push_back(site.ViewerSiteName);
    viewer.push_back(SiteAngleText(site.ViewerLongitude, 'E', 'W'));
    viewer.push_back(SiteAngleText(site.ViewerLatitude, 'N', 'S'));
  } else {
    viewer.push_back(ViewerDistanceText(facts.viewerDistance));
    viewer.push_back(facts.viewerName);
    viewer.push_back("");
  }
  // FormatDateTime gives "date time" rounded to the second, carried into the date.
  const std::string local =
      FormatDateTime(site.JulianDate, facts.timeZoneDays, site.CalendarSystem);
  const size_t blank = local.find(' ');
  std::vector<std::string> time{Text(StringLocalTime), local.substr(blank + 1),
                                local.substr(0, blank), Format("JD %.2f", site.JulianDate)};
  const AngleParts field = SplitSexagesimal(s.ChartFieldWidth * RadToDeg, 0);
  const ChartFrame& f = CurrentChartFrame();
  const CoordinateTexts centre =
      FormatCoordinates(f.system, s.ChartCenterLongitude, s.ChartCenterLatitude,
                        CoordinateLabelsAndValues, facts.precessionEpoch);
  std::vector<std::string> view{
      Text(StringFieldOfView),
      Format("%d° %02d' %02.0f\"", field.whole, field.minutes, field.seconds), centre.lon,
      centre.lat};
  return {viewer, time, view};
}

void DrawLegend(const ChartOptions& s, const Rect& chart, const LegendFacts& facts) {
  const int height = LegendHeight(s);
  const int rowHeight = (height - 1) / 4;
  const Rect band{chart.left, chart.bottom - height, chart.right, chart.bottom};
  SetChartPen(s, PenBackground, 0, true);
  DrawRect(band);
  SetChartPen(s, PenForeground, 1, true);
  const int top = band.top + 1;
  int x = band.left + ColumnGap / 2;
  for (const std::vector<std::string>& column : LegendColumns(s, facts)) {
    x += DrawColumn(s, column, x, top, rowHeight) + ColumnGap;
  }
  x += DrawColumn(s,
                  {Text(StringMagnitudes), KindName(KindSingleStar), KindName(KindMultipleStar),
                   KindName(KindVariableStar)},
                  x, top, rowHeight) +
       SampleGap;
  x += DrawStarSamples(s, x, top, rowHeight) + ColumnGap;
  if (s.ShowDeepSkyObjects) DrawDeepSkyColumn(s, x, top, rowHeight);
  SetChartPen(s, PenForeground, 1, false);
  DrawRect(band);
}

}  // namespace qv
