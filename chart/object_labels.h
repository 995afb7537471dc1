// chart/object_labels.h - the chart's object labels: gathered while the stars, deep-sky objects
// and planets are drawn, then placed and drawn together on top of them, the nearer and brighter
// first, so that with AvoidLabelOverlap none covers another label or a star's disk.
#pragma once

#include <string>
#include <vector>

#include "chart/chart_options.h"
#include "chart/label_layout.h"
#include "platform/draw.h"

namespace qv {

// ObjectLabel: one label waiting to be drawn; rank orders them (lower first: solar-system bodies
// before the rest, then by magnitude).
struct ObjectLabel {
  std::string text;
  Color color = 0;
  LabelRequest request;
  int rank = 0;
};

// ChartLabels: the labels and the disks they keep off, for one drawing.
struct ChartLabels {
  std::vector<ObjectLabel> labels;
  std::vector<LabelDisk> disks;
};

// AddLabelDisk: a drawn star or planet disk of that pixel radius; points (radius below 2) do
// not hide text and are not kept.
void AddLabelDisk(ChartLabels& labels, int x, int y, int radius);

// AddObjectLabel: the name (up to its first ';') of the symbol at (x, y) whose disk has that
// pixel radius, measured in the chart font; empty names are left out. The usual offset is
// `offset`; while avoiding overlaps it also clears the disk.
void AddObjectLabel(const ChartOptions& options, ChartLabels& labels, const std::string& name,
                    int x, int y, int offset, int radius, Color color, int rank);

// ObjectLabelRank: the rank of a solar-system body or of another object of that magnitude.
int ObjectLabelRank(bool solarSystem, int magnitude);

// DrawObjectLabels: places the labels (PlaceLabels inside the frame's chart rectangle when
// AvoidLabelOverlap is on, else each at its usual corner) and draws them; returns how many
// were drawn.
int DrawObjectLabels(const ChartOptions& options, const ChartLabels& labels, const Rect& area);

}  // namespace qv
