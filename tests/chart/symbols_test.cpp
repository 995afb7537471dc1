// Star and deep-sky symbols drawn into an image: their exact boxes and marks; rendered stars.
#include "chart/symbols.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/chart/canvas.h"

namespace qv {
namespace {

constexpr Color Ink = MakeColor(255, 255, 255);
constexpr int X = 40, Y = 30;

Canvas::Box DrawnBox(void (*draw)()) {
  Canvas canvas(80, 60);
  SetPen(Ink, 1, true);
  draw();
  return canvas.LitBox();
}

void ExpectBox(const Canvas::Box& box, int left, int top, int right, int bottom) {
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.right, right);
  EXPECT_EQ(box.bottom, bottom);
}

TEST(StarSymbols, DiskBoxesLargeAndSmall) {
  // Large: the box (x - r, y - r, x + r, y + r), right and bottom exclusive.
  ExpectBox(DrawnBox([] { DrawStarSymbol(X, Y, 4, MarkNone, true); }), X - 4, Y - 4, X + 3, Y + 3);
  // Small: (x - q - 1, y - q - 1) with q = r / 4, r pixels wide.
  ExpectBox(DrawnBox([] { DrawStarSymbol(X, Y, 5, MarkNone, false); }), X - 2, Y - 2, X + 2, Y + 2);
  ExpectBox(DrawnBox([] { DrawStarSymbol(X, Y, 2, MarkNone, false); }), X - 1, Y - 1, X, Y);
  // Radius 1 small: the one pixel.
  Canvas canvas(80, 60);
  SetPen(Ink, 1, true);
  DrawStarSymbol(X, Y, 1, MarkNone, false);
  EXPECT_EQ(canvas.Lit(), (PixelSet{{X, Y}}));
}

TEST(StarSymbols, MarksOfMultipleAndVariableStars) {
  // Multiple: a stroke from the box's lower-right corner to one past its upper-left, the end
  // pixel left out: it reaches from (x + r, y + r) to (x - r, y - r).
  ExpectBox(DrawnBox([] { DrawStarSymbol(X, Y, 4, MarkMultiple, true); }), X - 4, Y - 4, X + 4,
            Y + 4);
  // Variable: a disk one size smaller inside a ring two pixels out.
  {
    Canvas canvas(80, 60);
    SetPen(Ink, 1, true);
    DrawStarSymbol(X, Y, 4, MarkVariable, true);
    const Canvas::Box box = canvas.LitBox();
    ExpectBox(box, X - 5, Y - 5, X + 4, Y + 4);
    EXPECT_EQ(canvas.At(X, Y), Ink);             // the disk
    EXPECT_EQ(canvas.At(X - 4, Y), ColorBlack);  // the gap between disk and ring
    EXPECT_EQ(canvas.At(X - 5, Y), Ink);         // the ring
  }
  // Both: the stroke crosses the ring's box from corner to corner.
  ExpectBox(DrawnBox([] { DrawStarSymbol(X, Y, 4, MarkVariable | MarkMultiple, true); }), X - 5,
            Y - 5, X + 5, Y + 5);
}

TEST(DeepSkySymbols, BoxesOfEachKind) {
  // A galaxy of radius 10: the ellipse in (x - 10, y - 6, x + 11, y + 7).
  ExpectBox(DrawnBox([] { DrawDeepSkySymbol(65, X, Y, 10); }), X - 10, Y - 6, X + 10, Y + 6);
  // Radius 1 uses a = 3, b = 1.
  ExpectBox(DrawnBox([] { DrawDeepSkySymbol(65, X, Y, 1); }), X - 3, Y - 2, X + 3, Y + 2);
  ExpectBox(DrawnBox([] { DrawDeepSkySymbol(61, X, Y, 0); }), X - 3, Y - 3, X + 3, Y + 3);
  ExpectBox(DrawnBox([] { DrawDeepSkySymbol(62, X, Y, 5); }), X - 5, Y - 5, X + 5, Y + 5);
  ExpectBox(DrawnBox([] { DrawDeepSkySymbol(63, X, Y, 2); }), X - 4, Y - 4, X + 4, Y + 4);
  // Planetary nebula: rays of length a out from the circle: a = 3 reaches 2a - 1 = 5 pixels.
  ExpectBox(DrawnBox([] { DrawDeepSkySymbol(64, X, Y, 3); }), X - 5, Y - 5, X + 5, Y + 5);
}

TEST(DeepSkySymbols, AreOutlinesAndLeaveTheFillAsItWas) {
  Canvas canvas(80, 60);
  SetPen(Ink, 1, true);
  DrawDeepSkySymbol(61, X, Y, 8);
  EXPECT_EQ(canvas.At(X, Y), ColorBlack);  // hollow
  EXPECT_EQ(canvas.At(X + 8, Y), Ink);
  bool fill = false;
  GetPen(nullptr, nullptr, &fill);
  EXPECT_TRUE(fill);
  // The globular cluster's cross runs through the centre.
  canvas.Clear();
  SetPen(Ink, 1, true);
  DrawDeepSkySymbol(62, X, Y, 8);
  EXPECT_EQ(canvas.At(X, Y), Ink);
  EXPECT_EQ(canvas.At(X, Y - 8), Ink);
  EXPECT_EQ(canvas.At(X + 8, Y), Ink);
  EXPECT_EQ(canvas.At(X + 4, Y + 4), ColorBlack);
}

int Red(Color c) { return RedOf(c); }

TEST(RenderedStar, GlowsOutToItsRadiusAndNoFurther) {
  StarSizeScale scale;  // brightest 0.50, faintest 5.50
  Canvas canvas(80, 60);
  canvas.Clear();
  RenderStar(canvas.image(), X, Y, 550, Ink, false, scale);
  // At the faint limit I = 0.25: the radius is ceil(sqrt(15 / 7)) = 2.
  const Canvas::Box box = canvas.LitBox();
  EXPECT_EQ(box.left, X - 2);
  EXPECT_EQ(box.right, X + 2);
  EXPECT_GT(Red(canvas.At(X, Y)), Red(canvas.At(X + 1, Y)));
  EXPECT_GT(Red(canvas.At(X + 1, Y)), Red(canvas.At(X + 2, Y)));
  EXPECT_EQ(canvas.At(X + 2, Y + 2), ColorBlack);  // d^2 = 8 > 4
  // Brighter stars glow wider and saturate at their centre.
  canvas.Clear();
  RenderStar(canvas.image(), X, Y, -100, MakeColor(255, 127, 127), false, scale);
  EXPECT_EQ(canvas.At(X, Y), MakeColor(255, 127, 127));
  EXPECT_GT(canvas.LitBox().right - X, 10);
}

TEST(RenderedStar, AddsUpSubtractsOnWhiteAndClipsAtTheEdges) {
  StarSizeScale scale;
  Canvas canvas(80, 60);
  canvas.Clear();
  RenderStar(canvas.image(), X, Y, 540, MakeColor(200, 100, 50), false, scale);
  const Color once = canvas.At(X, Y);
  RenderStar(canvas.image(), X, Y, 540, MakeColor(200, 100, 50), false, scale);
  const Color twice = canvas.At(X, Y);
  EXPECT_GT(RedOf(twice), RedOf(once));
  EXPECT_GE(RedOf(twice), 2 * RedOf(once) - 1);
  EXPECT_GT(GreenOf(once), BlueOf(once));  // the colour's own balance
  // White sky: the complement is taken away.
  SetPen(Ink, 0, true);
  DrawRect(Rect{0, 0, 80, 60});
  RenderStar(canvas.image(), X, Y, 540, MakeColor(255, 255, 0), true, scale);
  const Color dark = canvas.At(X, Y);
  EXPECT_EQ(RedOf(dark), 255);
  EXPECT_LT(BlueOf(dark), 255);
  // A star on the corner draws the part inside and nothing else.
  canvas.Clear();
  RenderStar(canvas.image(), 0, 0, -100, Ink, false, scale);
  RenderStar(canvas.image(), 79, 59, -100, Ink, false, scale);
  EXPECT_NE(canvas.At(0, 0), ColorBlack);
  EXPECT_NE(canvas.At(79, 59), ColorBlack);
}

}  // namespace
}  // namespace qv
