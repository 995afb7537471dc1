// chart/constellations.cpp - constellation lines and labels (see constellations.h).
#include "chart/constellations.h"

#include <string>

#include "chart/labels.h"
#include "chart/lines.h"
#include "chart/pens.h"
#include "chart/sky_link.h"
#include "objects/store.h"
#include "platform/draw.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr int LabelGap = 3;  // pixels right of and below the line's start

// Copies the current directions of a figure line's two stars into its ends when the star
// generation moved on; false when either star no longer exists. The stars are looked up at
// every drawing, not only when the stamp is stale: a star deleted since the last copy must take
// its lines with it at once.
bool RefreshFigureEnds(LineRecord& line, uint32_t starGeneration) {
  ObjectRecord* stars[2] = {ObjectOfId(line.ends[0]), ObjectOfId(line.ends[1])};
  if (!stars[0] || !stars[1]) return false;
  if (line.stamp == starGeneration) return true;
  for (int k = 0; k < 2; ++k) {
    if (!UpdatePlace(*stars[k])) return false;
    line.positions[k] = *CurrentDirection(*stars[k]);  // stars always have one
  }
  line.stamp = starGeneration;
  return true;
}

bool SameDirection(const DirectionVector& a, const DirectionVector& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

struct ConstellationPass {
  const ChartOptions& s;
  uint32_t starGeneration;
  int labelHeight = 0;
  int lastKind = 0;
  DirectionVector lastEnd;
  bool started = false;

  bool Wanted(ObjectRecord& record, LineRecord& line) {
    if (record.kind == KindObjectLine) {
      return s.ShowConstellationFigures && RefreshFigureEnds(line, starGeneration);
    }
    return record.kind == KindPositionLine && s.ShowConstellationBoundaries;
  }

  void Draw(ObjectRecord& record) {
    LineRecord* line = LineOf(record);
    if (!line || !Wanted(record, *line)) return;
    if (s.ShowColors && record.kind != lastKind) {
      SetPen(ChartColor(s, s.Colors[record.kind == KindObjectLine ? ConstellationsColor
                                                                  : ConstellationBoundariesColor]),
             1, false);
    }
    lastKind = record.kind;
    // Lines that continue where the last one ended draw as one polyline.
    if (!started || !SameDirection(line->positions[0], lastEnd))
      MoveToSky(ChartVector(line->positions[0]));
    const LineStep step = LineToSky(ChartVector(line->positions[1]));
    lastEnd = line->positions[1];
    started = true;
    if (s.ShowConstellationLabels && step.startVisible && !line->name.empty()) {
      DrawLabel(line->name.c_str(), 0, step.x0 + LabelGap, step.y0 + labelHeight + LabelGap);
    }
  }
};

}  // namespace

void DrawConstellations(const ChartOptions& s) {
  if (!s.ShowColors) SetChartPen(s, PenForeground, 1, false);
  const FontSetting& font = s.ChartWindowsFont;
  SetFont(font.Face.c_str(), font.Size, font.Style | FontItalic);
  ConstellationPass pass{s, ChartStarGeneration(), 0, 0, DirectionVector{}, false};
  MeasureText("A", 1, nullptr, &pass.labelHeight);
  for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
    DatabaseFile* file = FileOfId(fileId);
    if (!file || file->summary.lineCount <= 0) continue;
    if (EnsureLoaded(fileId) != ResultOk) continue;
    LockFile(fileId);
    for (const std::unique_ptr<ObjectRecord>& record : *file->table) {
      if (record && IsLineKind(record->kind)) pass.Draw(*record);
    }
    UnlockFile(fileId);
    file->lastUsed = Store().redrawCounter;
  }
  SetFont(font.Face.c_str(), font.Size, font.Style);
}

}  // namespace qv
