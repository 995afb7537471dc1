// chart/lines.h - the projected-line engine: polylines of sky directions become clipped pixel
// segments. Vertices are projected through the chart frame; segments are cut at the horizon
// while the mask is on, dropped where they pass behind the projection, split where they cross
// the rear seam of the Mercator and Mollweide maps, and clipped to the chart rectangle.
// The geometry (TraceMoveTo, TraceLineTo) is separate from the output (MoveToSky, LineToSky),
// which draws the pieces with the drawing port's MoveTo/LineTo unless output is switched off.
#pragma once

#include <cstdint>

#include "astro/vector.h"
#include "chart/projection.h"

namespace qv {

// ChartPen: the previous vertex of the polyline being drawn. One per program (CurrentChartPen),
// valid within one drawing; every polyline starts with a move.
struct ChartPen {
  int32_t x = 0, y = 0;  // projected pixel
  int32_t depth = 0;     // A component
  int32_t height = 0;    // HorizonHeight, kept only while the mask is on
  bool visible = false;  // in front, inside the rectangle and (with the mask) above the horizon
  Vector3 vector;        // the vertex itself, length R
  bool output = true;    // pixel output on
};

ChartPen& CurrentChartPen();

// One clipped piece of a segment, ready to draw. A piece with mustMove set starts with a move
// even when the drawing position already stands at its start (the far side of a seam).
struct LinePiece {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool mustMove = false;
};

// What one LineToSky did.
struct LineStep {
  bool drawn = false;  // some piece survived clipping
  // Start of the first and end of the last surviving piece, clipped; the projected ends when
  // nothing survived. Labels on lines stand at these pixels.
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool startVisible = false, endVisible = false;
  int pieceCount = 0;
  LinePiece pieces[2];
};

// ClipSegment: moves the ends onto the frame's rectangle (edges included); false when nothing of
// the segment lies inside.
bool ClipSegment(const ChartFrame& f, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1);

// The geometry of the engine on an explicit pen and frame.
void TraceMoveTo(ChartPen& pen, const ChartFrame& f, const Vector3& v);
LineStep TraceLineTo(ChartPen& pen, const ChartFrame& f, const Vector3& v);

// The engine on the program's pen and the current frame, drawing into the current port: a
// piece starts with a move unless the port's pen already stands at its start.
void MoveToSky(const Vector3& v);
LineStep LineToSky(const Vector3& v);

// SetLineOutput: switches pixel output on or off and returns the previous setting; callers that
// switch it off restore it afterwards. With output off LineToSky still reports what it would draw.
bool SetLineOutput(bool on);
bool LineOutput();

}  // namespace qv
