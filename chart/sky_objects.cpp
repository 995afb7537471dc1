// chart/sky_objects.cpp - the stars and deep-sky objects pass (see sky_objects.h).
// Regions are database files: their summary boxes and brightest magnitudes decide, before a
// file is read, whether it can contribute anything to this chart.
#include "chart/sky_objects.h"

#include <cmath>

#include "chart/drawing.h"
#include "chart/magnitudes.h"
#include "chart/object_labels.h"
#include "chart/pens.h"
#include "chart/planets.h"
#include "chart/projection.h"
#include "chart/regions.h"
#include "chart/sky_link.h"
#include "chart/symbols.h"
#include "objects/store.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/result.h"

namespace qv {
namespace {

// The marks a star's kind calls for under the current options.
int StarMarksOf(int kind, const ChartOptions& s) {
  const bool multiple =
      (kind == KindMultipleStar || kind == KindMultipleVariableStar) && s.ShowMultipleStars;
  const bool variable =
      (kind == KindVariableStar || kind == KindMultipleVariableStar) && s.ShowVariableStars;
  return (multiple ? MarkMultiple : MarkNone) | (variable ? MarkVariable : MarkNone);
}

// Custom and star colours are darkened on a light sky (ChartColor).
Color ObjectColor(const ObjectRecord& record, const SkyObjectRecord& sky, const ChartOptions& s) {
  if (!s.ShowColors) return ChartForegroundColor(s);
  if (IsDeepSkyKind(record.kind)) return ChartColor(s, s.Colors[DeepSkyObjectColor]);
  return s.ShowStarColors ? ChartColor(s, StarColorFromIndex(sky.colorIndex))
                          : ChartForegroundColor(s);
}

// A star's label goes with the others after the symbols (chart/object_labels.h); diskRadius is
// what the star covers (0 for deep-sky objects, whose offset already clears their symbol).
void AddSkyObjectLabel(const ObjectRecord& record, const SkyObjectRecord& sky,
                       const SkyPlace& place, int diskRadius, const ChartOptions& s,
                       ChartLabels& labels) {
  const bool star = IsStarKind(record.kind);
  const int16_t limit = star ? s.FaintestStarLabelMagnitude : s.FaintestDeepSkyLabelMagnitude;
  if (limit != NoMagnitudeLimit && sky.currentMagnitude > limit) return;
  const Color color =
      star && s.ShowColors ? ChartColor(s, s.Colors[StarColor]) : ObjectColor(record, sky, s);
  AddObjectLabel(s, labels, DisplayName(record), place.x, place.y,
                 LabelOffset(record.kind, place.radius), diskRadius, color,
                 ObjectLabelRank(false, sky.currentMagnitude));
}

// The pixels a star symbol covers from its centre: large disks reach r, small ones about r / 2
// (their box is r wide), a variable star's ring 3 more.
int StarSymbolReach(int r, int marks, bool large) {
  return (large ? r : r / 2 + 1) + ((marks & MarkVariable) ? 3 : 0);
}

// Regions (database files) that hold what this drawing shows and may show on the chart.
bool RegionWanted(const FileSummary& summary, const ChartOptions& s, const StarSizeScale& scale,
                  int16_t deepSkyFaintest) {
  // A region whose brightest object sits exactly at the limit still holds a drawable object.
  const bool stars =
      summary.starCount > 0 && s.ShowStars && summary.starBrightest <= scale.faintest;
  const bool deepSky = summary.deepSkyCount > 0 && s.ShowDeepSkyObjects &&
                       summary.deepSkyBrightest <= deepSkyFaintest;
  return stars || deepSky;
}

RegionBox RegionBoxOf(const FileSummary& summary) {
  return {summary.raMin, summary.raMax, summary.decMin, summary.decMax};
}

void DrawRegion(const ChartOptions& s, DatabaseFile& file, ChartLabels& labels) {
  for (const std::unique_ptr<ObjectRecord>& record : *file.table) {
    if (!record || !IsSkyObjectKind(record->kind)) continue;
    UpdatePlace(*record);
    const SkyPlace place = PlaceSkyObject(s, *record);
    if (place.visible) DrawSkyObject(s, *record, place, labels);
  }
}

}  // namespace

int LabelOffset(int kind, int radius) {
  int a = 0;
  if (IsDeepSkyKind(kind) || IsSolarSystemKind(kind)) {  // a disk's label clears its edge
    a = radius;
    if (kind == KindDiffuseNebula) a = 7 * radius / 10;
    if (kind == KindGalaxy) a = 2 * radius / 3;
  }
  return 7 * a / 10 + 3;
}

SkyPlace PlaceSkyObject(const ChartOptions& s, const ObjectRecord& record) {
  if (IsSolarSystemKind(record.kind)) return PlaceSolarSystemBody(s, record);
  SkyPlace place;
  const SkyObjectRecord* sky = SkyObjectOf(record);
  if (!sky) return place;
  const Vector3 v = RecordDirection(record);
  if (IsStarKind(record.kind)) {
    if (!s.ShowStars || sky->currentMagnitude > CurrentStarScale().faintest) return place;
    return PlaceDiscOrPoint(v, 0);
  }
  if (!s.ShowDeepSkyObjects || sky->currentMagnitude > KindMagnitudeLimit(s, record.kind))
    return place;
  const double halfSize = sky->size / 2.0;
  return PlaceDiscOrPoint(v, halfSize > 0 ? std::sin(halfSize) : 0);
}

SkyPlace PlaceDiscOrPoint(const Vector3& v, double s) {
  const ChartFrame& f = CurrentChartFrame();
  SkyPlace place;
  if (s > 0) {
    DiscPlace disc;
    place.visible = IsDiscOnChart(f, v, s, disc);
    place.x = disc.x;
    place.y = disc.y;
    place.radius = disc.radius;
  } else {
    int32_t x = 0, y = 0;
    place.visible = IsOnChart(f, v, x, y);
    place.x = x;
    place.y = y;
  }
  return place;
}

void DrawSkyObject(const ChartOptions& s, const ObjectRecord& record, const SkyPlace& place,
                   ChartLabels& labels) {
  const SkyObjectRecord* sky = SkyObjectOf(record);
  if (!sky) return;
  const Color color = ObjectColor(record, *sky, s);
  SetPen(color, 1, true);
  int reach = 0;
  if (IsDeepSkyKind(record.kind)) {
    DrawDeepSkySymbol(record.kind, place.x, place.y, place.radius);
  } else {
    const int marks = StarMarksOf(record.kind, s);
    Image* image = CurrentChartImage();
    const StarSizeScale& scale = CurrentStarScale();
    // Soft glows fade into a light sky: there stars stay dark symbols, as in a printed atlas.
    if (marks == MarkNone && s.ShowRenderedObjects && image && !SkyIsLight(s)) {
      RenderStar(image, place.x, place.y, sky->currentMagnitude, color, false, scale);
      reach = RenderedStarReach(sky->currentMagnitude, scale);
    } else {
      const int r = StarRadius(scale, sky->currentMagnitude);
      DrawStarSymbol(place.x, place.y, r, marks, s.ShowLargeStars);
      reach = StarSymbolReach(r, marks, s.ShowLargeStars);
    }
    AddLabelDisk(labels, place.x, place.y, reach);
  }
  if (s.ShowObjectLabels) AddSkyObjectLabel(record, *sky, place, reach, s, labels);
}

int DrawStarsAndDeepSky(const ChartOptions& s, ChartLabels& labels) {
  const ChartFrame& f = CurrentChartFrame();
  const ChartBox box = ComputeChartBox(f);
  const int16_t deepSkyFaintest = DeepSkyFaintest(s);
  for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
    DatabaseFile* file = FileOfId(fileId);
    if (!file || !RegionWanted(file->summary, s, CurrentStarScale(), deepSkyFaintest)) continue;
    if (!RegionMayShow(f, box, RegionBoxOf(file->summary), s.GridSegmentsPerCircle)) continue;
    if (IsKeyDown(KeyEscape)) return ResultCancelled;
    if (EnsureLoaded(fileId) != ResultOk) continue;  // a region that cannot be read is skipped
    LockFile(fileId);
    DrawRegion(s, *file, labels);
    UnlockFile(fileId);
    file->lastUsed = Store().redrawCounter;
  }
  return ResultOk;
}

}  // namespace qv
