// chart/line_output.cpp - the projected-line engine drawing into the current port.
#include "chart/lines.h"
#include "platform/draw.h"

namespace qv {

void MoveToSky(const Vector3& v) { TraceMoveTo(CurrentChartPen(), CurrentChartFrame(), v); }

LineStep LineToSky(const Vector3& v) {
  ChartPen& pen = CurrentChartPen();
  const LineStep step = TraceLineTo(pen, CurrentChartFrame(), v);
  if (!pen.output) return step;
  for (int k = 0; k < step.pieceCount; ++k) {
    const LinePiece& piece = step.pieces[k];
    int x = 0, y = 0;
    GetPenPosition(&x, &y);
    if (piece.mustMove || x != piece.x0 || y != piece.y0) MoveTo(piece.x0, piece.y0);
    LineTo(piece.x1, piece.y1);
  }
  return step;
}

bool SetLineOutput(bool on) {
  ChartPen& pen = CurrentChartPen();
  const bool previous = pen.output;
  pen.output = on;
  return previous;
}

bool LineOutput() { return CurrentChartPen().output; }

}  // namespace qv
