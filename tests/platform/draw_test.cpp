// The drawing port on off-screen images: exact pixels of lines, points, rectangles, ellipses
// and polygons, exclusive-or, clipping, state, text and icons.
#include "platform/draw.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

#include "platform/draw_qt.h"
#include "platform/image_qt.h"
#include "tests/platform/gui_app.h"

namespace qv {
namespace {

using Pixels = std::set<std::pair<int, int>>;
constexpr Color Ink = MakeColor(255, 255, 255);

uint32_t RGBAt(const Image* image, int x, int y) {
  int r, g, b;
  PixelValueToRGB(image, GetPixelValue(image, ImageRow(image, y), x), &r, &g, &b);
  return MakeColor(r, g, b);
}

Pixels PixelsOf(const Image* image, Color color) {
  Pixels out;
  for (int y = 0; y < ImageHeight(image); ++y) {
    for (int x = 0; x < ImageWidth(image); ++x) {
      if (RGBAt(image, x, y) == color) out.insert({x, y});
    }
  }
  return out;
}

Pixels RectPixels(int left, int top, int right, int bottom) {
  Pixels out;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) out.insert({x, y});
  }
  return out;
}

// An image drawn into by each test, black to start with.
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    image = NewImage(64, 48, 32);
    ASSERT_NE(image, nullptr);
    ASSERT_TRUE(BeginImageDrawing(nullptr, image));
    SetPen(Ink, 1, false);
  }
  void TearDown() override {
    EndImageDrawing();
    DisposeImage(image);
  }
  Pixels Drawn() {
    EndImageDrawing();
    Pixels p = PixelsOf(image, Ink);
    BeginImageDrawing(nullptr, image);
    SetPen(Ink, 1, false);
    return p;
  }
  Image* image = nullptr;
};

TEST_F(DrawTest, DrawLineIncludesBothEndsAndLineToLeavesOutTheEnd) {
  struct Case {
    int x1, y1, x2, y2;
    Pixels line;  // DrawLine
  };
  const Case cases[] = {
      {10, 10, 10, 10, {{10, 10}}},
      {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {3, 0, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {5, 2, 5, 5, {{5, 2}, {5, 3}, {5, 4}, {5, 5}}},
      // y = 3x/5 rounded half up: 0, 0.6, 1.2, 1.8, 2.4, 3
      {0, 0, 5, 3, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}}},
      {5, 3, 0, 0, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " - " << c.x2 << "," << c.y2);
    DrawLine(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(Drawn(), c.line);
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});

    SetPen(Ink, 1, false);
    MoveTo(c.x1, c.y1);
    LineTo(c.x2, c.y2);
    Pixels expected = c.line;
    if (c.x1 != c.x2 || c.y1 != c.y2)
      expected.erase({c.x2, c.y2});
    else
      expected.clear();  // a line to its own start draws nothing
    int x, y;
    GetPenPosition(&x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.x2, c.y2));
    EXPECT_EQ(Drawn(), expected);
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
    SetPen(Ink, 1, false);
  }
}

// Any line: one pixel per step of its longer axis, each within half a pixel of the exact line
// along the shorter axis, both ends in, the same pixels drawn either way round.
TEST_F(DrawTest, LinesFollowTheExactLineWhicheverWayTheyRun) {
  std::srand(7);
  for (int i = 0; i < 200; ++i) {
    const int x1 = std::rand() % 64, y1 = std::rand() % 48, x2 = std::rand() % 64,
              y2 = std::rand() % 48;
    SCOPED_TRACE(testing::Message() << x1 << "," << y1 << " - " << x2 << "," << y2);
    DrawLine(x1, y1, x2, y2);
    const Pixels forward = Drawn();
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
    SetPen(Ink, 1, false);
    DrawLine(x2, y2, x1, y1);
    const Pixels backward = Drawn();
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
    SetPen(Ink, 1, false);

    EXPECT_EQ(forward, backward);
    EXPECT_EQ(forward.size(), size_t(std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1));
    EXPECT_TRUE(forward.count({x1, y1}) && forward.count({x2, y2}));
    const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
    for (const auto& [x, y] : forward) {
      if (steep) {
        const double exact = x1 + double(x2 - x1) * (y - y1) / (y2 - y1);
        EXPECT_LE(std::abs(x - exact), 0.5);
      } else if (x2 != x1) {
        const double exact = y1 + double(y2 - y1) * (x - x1) / (x2 - x1);
        EXPECT_LE(std::abs(y - exact), 0.5);
      }
    }
  }
}

TEST_F(DrawTest, PointIsOnePixelAndNothingWithoutPen) {
  SetPen(Ink, 3, false);
  DrawPoint(7, 9);
  EXPECT_EQ(Drawn(), (Pixels{{7, 9}}));
  SetPen(Ink, 0, false);
  DrawPoint(8, 9);
  SetPen(Ink, 0, false);
  DrawLine(0, 0, 10, 10);
  EXPECT_EQ(Drawn(), (Pixels{{7, 9}}));
}

TEST_F(DrawTest, RectanglesCoverExactlyTheirPixels) {
  struct Case {
    int width;
    bool fill;
    Pixels expected;
  };
  Pixels band1 = RectPixels(4, 5, 14, 12), band3 = band1;
  for (const auto& p : RectPixels(5, 6, 13, 11)) band1.erase(p);
  for (const auto& p : RectPixels(7, 8, 11, 9)) band3.erase(p);
  const Case cases[] = {
      {0, true, RectPixels(4, 5, 14, 12)},  // fill without outline: the same pixels
      {1, true, RectPixels(4, 5, 14, 12)}, {1, false, band1}, {3, false, band3}, {0, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << " fill " << c.fill);
    SetPen(Ink, c.width, c.fill);
    DrawRect(Rect{4, 5, 14, 12});
    EXPECT_EQ(Drawn(), c.expected);
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
  }
}

// A star disc of radius r at (x, y) drawn as (x - r, y - r, x + r + 1, y + r + 1) with no pen:
// its last pixel in each direction is the star's, the next one the background's, and the disc
// is the same seen from every side.
TEST_F(DrawTest, DiscsAreSymmetricAndEndOnTheirBox) {
  for (int r = 0; r <= 12; ++r) {
    SCOPED_TRACE(testing::Message() << "radius " << r);
    const int x = 30, y = 24;
    SetPen(Ink, 0, true);
    DrawEllipse(x - r, y - r, x + r + 1, y + r + 1);
    const Pixels disc = Drawn();
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      EXPECT_TRUE(disc.count({x + dx * r, y + dy * r}));
      EXPECT_FALSE(disc.count({x + dx * (r + 1), y + dy * (r + 1)}));
    }
    for (const auto& [px, py] : disc) {
      EXPECT_TRUE(disc.count({2 * x - px, py}) && disc.count({px, 2 * y - py}) &&
                  disc.count({x + (py - y), y + (px - x)}));
      const double dx = px + 0.5 - (x + 0.5), dy = py + 0.5 - (y + 0.5);
      EXPECT_LE(dx * dx + dy * dy, (r + 0.5) * (r + 0.5));
    }
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
  }
}

// An ellipse outline is the edge of the filled ellipse: every outline pixel touches the outside,
// every filled pixel that touches the outside is outline, and the outline has no gap.
TEST_F(DrawTest, EllipseOutlineIsTheClosedEdgeOfTheFilledEllipse) {
  const Rect boxes[] = {{3, 4, 40, 20}, {10, 2, 17, 45}, {0, 0, 2, 2}, {5, 5, 60, 44}};
  for (const Rect& b : boxes) {
    SCOPED_TRACE(testing::Message() << b.left << "," << b.top << "," << b.right << "," << b.bottom);
    SetPen(Ink, 0, true);
    DrawEllipse(b.left, b.top, b.right, b.bottom);
    const Pixels filled = Drawn();
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
    SetPen(Ink, 1, false);
    DrawEllipse(b.left, b.top, b.right, b.bottom);
    const Pixels outline = Drawn();
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});

    for (const auto& [x, y] : filled) {
      EXPECT_TRUE(x >= b.left && x < b.right && y >= b.top && y < b.bottom);
      const bool edge = !filled.count({x + 1, y}) || !filled.count({x - 1, y}) ||
                        !filled.count({x, y + 1}) || !filled.count({x, y - 1});
      EXPECT_EQ(edge, outline.count({x, y}) == 1) << x << "," << y;
    }
    EXPECT_EQ(filled.count({b.left, (b.top + b.bottom) / 2}), 1u);
    EXPECT_EQ(filled.count({b.right - 1, (b.top + b.bottom - 1) / 2}), 1u);
    // Walk the outline by 8-neighbour steps from one pixel: it reaches every pixel.
    Pixels seen{*outline.begin()}, todo = seen;
    while (!todo.empty()) {
      const auto [x, y] = *todo.begin();
      todo.erase(todo.begin());
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if (outline.count({x + dx, y + dy}) && seen.insert({x + dx, y + dy}).second)
            todo.insert({x + dx, y + dy});
        }
      }
    }
    EXPECT_EQ(seen, outline);
  }
}

TEST_F(DrawTest, PolygonFillsAlternateAndOutlinesEveryEdge) {
  // A square with a square hole drawn as one outline that doubles back: the hole stays empty.
  const int16_t xs[] = {10, 30, 30, 10, 10, 15, 15, 25, 25, 15};
  const int16_t ys[] = {10, 10, 30, 30, 10, 15, 25, 25, 15, 15};
  Polygon* polygon = NewPolygon(10, xs, ys);
  ASSERT_NE(polygon, nullptr);
  SetPen(Ink, 0, true);
  DrawPolygon(polygon);
  const Pixels filled = Drawn();
  EXPECT_TRUE(filled.count({12, 12}) && filled.count({27, 27}));
  EXPECT_FALSE(filled.count({20, 20}));
  EXPECT_FALSE(filled.count({35, 20}));

  SetPen(ColorBlack, 1, true);
  DrawRect(Rect{0, 0, 64, 48});
  SetPen(Ink, 1, false);
  DrawPolygon(polygon);
  const Pixels outline = Drawn();
  for (int x = 10; x <= 30; ++x) EXPECT_TRUE(outline.count({x, 10}) && outline.count({x, 30}));
  EXPECT_FALSE(outline.count({20, 20}));
  DisposePolygon(polygon);
  EXPECT_EQ(NewPolygon(0, xs, ys), nullptr);
}

TEST_F(DrawTest, ExclusiveOrDrawnTwiceRestoresTheImage) {
  // A background of many colours, so every bit of every channel is exercised.
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x)
      SetPixelValue(image, ImageRow(image, y), x, PixelValueFromRGB(x * 4, y * 5, x * y));
  }
  EndImageDrawing();
  BeginImageDrawing(nullptr, image);
  const QImage before = ImageToQImage(*image).copy();
  const Polygon* triangle = [] {
    const int16_t xs[] = {2, 40, 20}, ys[] = {40, 35, 3};
    return NewPolygon(3, xs, ys);
  }();
  SetFont("Arial", 14, FontBold);
  SetDrawingMode(DrawXor);
  for (int pass = 0; pass < 2; ++pass) {
    SetPen(MakeColor(0x5a, 0xc3, 0x81), 1, false);
    DrawLine(0, 0, 63, 47);
    MoveTo(63, 0);
    LineTo(0, 47);
    DrawPoint(1, 45);
    DrawEllipse(5, 5, 50, 40);
    SetPen(MakeColor(0xff, 0x0f, 0x70), 2, true);
    DrawRect(Rect{20, 10, 45, 30});
    DrawPolygon(triangle);
    DrawText("Xor", 0, 30, 30);
    DrawIcon(LoadIcon(307), 10, 10);
    if (pass == 0) {
      EndImageDrawing();
      EXPECT_NE(ImageToQImage(*image), before);
      EXPECT_EQ(RGBAt(image, 1, 45), MakeColor(4 ^ 0x5a, 225 ^ 0xc3, 45 ^ 0x81));
      BeginImageDrawing(nullptr, image);
      SetFont("Arial", 14, FontBold);
      SetDrawingMode(DrawXor);
    }
  }
  EndImageDrawing();
  EXPECT_EQ(ImageToQImage(*image), before);
  DisposePolygon(const_cast<Polygon*>(triangle));
  BeginImageDrawing(nullptr, image);
}

TEST_F(DrawTest, ClippingLimitsEveryPrimitive) {
  SetClipRect(Rect{10, 10, 20, 20});
  SetPen(Ink, 1, true);
  DrawLine(0, 15, 63, 15);
  DrawEllipse(-1000000, -1000000, 1000000, 1000000);  // far larger than the image
  DrawText("WWWW", 0, 0, 8);
  SetPen(Ink, 4, false);
  DrawLine(0, 0, 63, 47);
  EXPECT_EQ(Drawn(), RectPixels(10, 10, 20, 20));
  ClearClip();
  SetPen(Ink, 1, false);
  DrawPoint(0, 0);
  EXPECT_TRUE(Drawn().count({0, 0}));
}

TEST_F(DrawTest, CallsWithoutTargetAreIgnoredButStateIsKept) {
  EndImageDrawing();
  SetPen(MakeColor(1, 2, 3), 5, true);
  DrawLine(0, 0, 20, 20);
  DrawRect(Rect{0, 0, 10, 10});
  DrawText("x", 0, 0, 0);
  Color color;
  int width;
  bool fill;
  GetPen(&color, &width, &fill);
  EXPECT_EQ(color, MakeColor(1, 2, 3));
  EXPECT_EQ(width, 5);
  EXPECT_TRUE(fill);
  EXPECT_TRUE(PixelsOf(image, ColorBlack).size() == 64u * 48u);

  // A target starts from its own state, whatever was set before.
  BeginImageDrawing(nullptr, image);
  GetPen(&color, &width, &fill);
  EXPECT_EQ(color, ColorBlack);
  EXPECT_EQ(width, 1);
  EXPECT_FALSE(fill);
  std::string face;
  int size, style;
  GetFont(&face, &size, &style);
  EXPECT_EQ(face, DefaultFontFace);
  EXPECT_EQ(size, DefaultFontSize);
  EXPECT_EQ(style, 0);
}

TEST_F(DrawTest, SetColorAndSetFillKeepTheOtherPenValues) {
  SetPen(ColorRed, 3, false);
  SetColor(ColorWhite);
  SetFill(true);
  Color color;
  int width;
  bool fill;
  GetPen(&color, &width, &fill);
  EXPECT_EQ(color, ColorWhite);
  EXPECT_EQ(width, 3);
  EXPECT_TRUE(fill);
}

TEST_F(DrawTest, TextLiesInsideItsMeasuredBox) {
  SetFont("Arial", 20, 0);
  EXPECT_EQ(QFontInfo(MakeFont("Arial", 20, 0)).family(), "Liberation Sans");
  int width = 0, height = 0;
  MeasureText("Hg", 0, &width, &height);
  EXPECT_NEAR(height, 20, 1);  // the size is the cell height
  EXPECT_GT(width, 10);
  DrawText("Hg", 0, 7, 9);
  const Pixels text = Drawn();
  ASSERT_FALSE(text.empty());
  for (const auto& [x, y] : text) {
    EXPECT_TRUE(x >= 7 && x < 7 + width && y >= 9 && y < 9 + height) << x << "," << y;
  }
  // Length cuts the text; 0 means all of it.
  SetFont("Arial", 20, 0);
  int cut = 0;
  MeasureText("Hgxyz", 2, &cut, nullptr);
  EXPECT_EQ(cut, width);
  SetFont("Arial", 20, FontBold);
  int bold = 0;
  MeasureText("Hg", 0, &bold, nullptr);
  EXPECT_GT(bold, width);
}

TEST_F(DrawTest, SymbolFaceDrawsGreekLetters) {
  SetFont("Symbol", 16, 0);
  int alpha = 0, latin = 0;
  MeasureText("abg", 0, &alpha, nullptr);
  EXPECT_EQ(TextForFont("abgW1", true), QString::fromUtf8("αβγΩ1"));
  SetFont("DejaVu Sans", 16, 0);
  int greek = 0;
  MeasureText("αβγ", 0, &greek, nullptr);
  MeasureText("abg", 0, &latin, nullptr);
  EXPECT_EQ(alpha, greek);
  EXPECT_NE(alpha, latin);
}

TEST_F(DrawTest, IconsDrawInThePenColourInsideTheirSquare) {
  EXPECT_EQ(LoadIcon(300), nullptr);
  EXPECT_EQ(LoadIcon(316), nullptr);
  for (int n = 301; n <= 315; ++n) {
    SCOPED_TRACE(n);
    const Icon* icon = LoadIcon(n);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIcon(n), icon);  // loaded once
    DrawIcon(icon, 16, 8);
    const Pixels drawn = Drawn();
    EXPECT_GT(drawn.size(), 10u);
    for (const auto& [x, y] : drawn) EXPECT_TRUE(x >= 16 && x < 48 && y >= 8 && y < 40);
    SetPen(ColorBlack, 1, true);
    DrawRect(Rect{0, 0, 64, 48});
    SetPen(Ink, 1, false);
  }
}

}  // namespace
}  // namespace qv
