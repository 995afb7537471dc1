// Off-screen images: layout, palette, pixel values, drawing into palette images, copying and
// stretching, and drawing into a window's surface.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/draw.h"
#include "platform/draw_window.h"
#include "platform/image_qt.h"
#include "tests/platform/gui_app.h"

namespace qv {
namespace {

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }
};

TEST_F(ImageTest, HeaderDescribesPaddedBottomUpRows) {
  for (const int bits : {1, 4, 8, 32}) {
    for (int width = 1; width <= 40; ++width) {
      SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
      Image* image = NewImage(width, 3, bits);
      ASSERT_NE(image, nullptr);
      const int rowBytes = ((width * bits + 31) / 32) * 4;
      EXPECT_EQ(rowBytes % 4, 0);
      EXPECT_GE(rowBytes * 8, width * bits);
      EXPECT_LT(rowBytes * 8, width * bits + 32);
      EXPECT_EQ(image->header.size, 40u);
      EXPECT_EQ(image->header.planes, 1);
      EXPECT_EQ(image->header.sizeImage, uint32_t(rowBytes * 3));
      EXPECT_EQ(ImageDepth(image), bits);
      // Rows counted from the top sit bottom-up in memory, rowBytes apart.
      EXPECT_EQ(ImageRow(image, 0) - ImageRow(image, 1), bits == 32 ? -rowBytes : rowBytes);
      DisposeImage(image);
    }
  }
}

TEST_F(ImageTest, RefusesImpossibleImages) {
  EXPECT_EQ(NewImage(0, 10, 8), nullptr);
  EXPECT_EQ(NewImage(10, -1, 8), nullptr);
  EXPECT_EQ(NewImage(10, 10, 24), nullptr);
  EXPECT_EQ(NewImage(10, 10, 2), nullptr);
  EXPECT_EQ(NewImage(40000, 10, 8), nullptr);
  EXPECT_EQ(NewImage(30000, 30000, 32), nullptr);  // 3.6 GB
}

TEST_F(ImageTest, PaletteImagesStartWithTheDefaultColours) {
  Image* image = NewImage(4, 4, 8);
  const int expected[16][3] = {{0, 0, 0},       {255, 255, 255}, {255, 0, 0},   {0, 255, 0},
                               {0, 0, 255},     {0, 255, 255},   {255, 0, 255}, {255, 255, 0},
                               {192, 192, 192}, {127, 127, 127}, {127, 0, 0},   {0, 127, 0},
                               {0, 0, 127},     {0, 127, 127},   {127, 0, 127}, {127, 127, 0}};
  for (int i = 0; i < 16; ++i) {
    int r, g, b;
    GetImagePaletteEntry(image, i, &r, &g, &b);
    EXPECT_EQ(r, expected[i][0]) << i;
    EXPECT_EQ(g, expected[i][1]) << i;
    EXPECT_EQ(b, expected[i][2]) << i;
  }
  int r = 1, g = 1, b = 1;
  GetImagePaletteEntry(image, 200, &r, &g, &b);
  EXPECT_EQ(r + g + b, 0);
  DisposeImage(image);

  // A 4-bit image has 16 entries: setting entry 16 changes nothing.
  Image* small = NewImage(4, 4, 4);
  SetImagePaletteEntry(small, 15, 1, 2, 3);
  SetImagePaletteEntry(small, 16, 9, 9, 9);
  GetImagePaletteEntry(small, 15, &r, &g, &b);
  EXPECT_EQ(MakeColor(r, g, b), MakeColor(1, 2, 3));
  GetImagePaletteEntry(small, 16, &r, &g, &b);
  EXPECT_EQ(MakeColor(r, g, b), ColorBlack);
  EXPECT_EQ(small->palette[16].red, 0);
  DisposeImage(small);
}

TEST_F(ImageTest, PackedPixelsKeepTheirNeighbours) {
  for (const int bits : {1, 4, 8, 32}) {
    SCOPED_TRACE(bits);
    Image* image = NewImage(19, 2, bits);
    const uint32_t mask = bits == 32 ? 0xffffffu : (1u << bits) - 1;
    uint8_t* row = ImageRow(image, 1);
    for (int x = 0; x < 19; ++x) SetPixelValue(image, row, x, (x * 7 + 3) & mask);
    for (int x = 0; x < 19; ++x)
      EXPECT_EQ(GetPixelValue(image, row, x) & mask, uint32_t((x * 7 + 3) & mask)) << x;
    // The other row is untouched.
    for (int x = 0; x < 19; ++x) EXPECT_EQ(GetPixelValue(image, ImageRow(image, 0), x) & mask, 0u);
    DisposeImage(image);
  }
  // Bit order of the file format: the leftmost pixel is the high bit or nibble.
  Image* mono = NewImage(8, 1, 1);
  SetPixelValue(mono, ImageRow(mono, 0), 0, 1);
  EXPECT_EQ(ImageRow(mono, 0)[0], 0x80);
  Image* nibbles = NewImage(2, 1, 4);
  SetPixelValue(nibbles, ImageRow(nibbles, 0), 0, 0xa);
  SetPixelValue(nibbles, ImageRow(nibbles, 0), 1, 0x5);
  EXPECT_EQ(ImageRow(nibbles, 0)[0], 0xa5);
  DisposeImage(mono);
  DisposeImage(nibbles);
}

// Pixels of 2 MB and more live in a mapping of their own (32-bit pixels, or the buffer that
// drawing into a palette image goes through): it must start black and hold the last row whole.
TEST_F(ImageTest, FullScreenImagesStartBlackAndHoldTheirLastPixel) {
  constexpr int Width = 1920, Height = 1080;
  for (const int bits : {8, 32}) {
    SCOPED_TRACE(bits);
    Image* image = NewImage(Width, Height, bits);
    ASSERT_NE(image, nullptr);
    ASSERT_TRUE(BeginImageDrawing(nullptr, image));
    SetPen(MakeColor(255, 255, 255), 1, true);
    DrawRect(Rect{Width - 2, Height - 1, Width, Height});
    EndImageDrawing();
    const uint32_t white = bits == 8 ? 1 : 0xffffffu;
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 0), 0) & 0xffffff, 0u);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, Height - 1), Width - 3) & 0xffffff, 0u);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, Height - 1), Width - 2) & 0xffffff, white);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, Height - 1), Width - 1) & 0xffffff, white);
    DisposeImage(image);
  }
}

TEST_F(ImageTest, ThirtyTwoBitValuesAreRedGreenBlueFromTheHighByte) {
  Image* image = NewImage(2, 1, 32);
  SetPixelValue(image, ImageRow(image, 0), 1, 0x00123456u);
  int r, g, b;
  PixelValueToRGB(image, GetPixelValue(image, ImageRow(image, 0), 1), &r, &g, &b);
  EXPECT_EQ(MakeColor(r, g, b), MakeColor(0x12, 0x34, 0x56));
  BeginImageDrawing(nullptr, image);
  SetPen(MakeColor(0xab, 0xcd, 0xef), 1, false);
  DrawPoint(0, 0);
  EndImageDrawing();
  EXPECT_EQ(GetPixelValue(image, ImageRow(image, 0), 0) & 0xffffff, 0xabcdefu);
  DisposeImage(image);
}

TEST_F(ImageTest, DrawingIntoPaletteImagesMapsToTheNearestEntry) {
  for (const int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    Image* image = NewImage(20, 10, bits);
    // Something written into the rows before drawing survives the drawing.
    SetPixelValue(image, ImageRow(image, 9), 19, 1);
    ASSERT_TRUE(BeginImageDrawing(nullptr, image));
    SetPen(MakeColor(250, 20, 10), 1, true);  // nearest: red (2), or black with 1 bit
    DrawRect(Rect{2, 1, 6, 4});
    SetPen(MakeColor(10, 10, 140), 1, false);  // nearest: dark blue (12), or black
    DrawLine(0, 8, 9, 8);
    SetPen(MakeColor(230, 230, 230), 1, false);  // nearest: white (1)
    DrawPoint(15, 2);
    EndImageDrawing();
    const uint32_t red = bits == 1 ? 0 : 2, darkBlue = bits == 1 ? 0 : 12;
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 2), 15), 1u);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 1), 2), red);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 3), 5), red);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 4), 5), 0u);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 8), 9), darkBlue);
    EXPECT_EQ(GetPixelValue(image, ImageRow(image, 9), 19), 1u);
    DisposeImage(image);
  }
  // A changed palette is what drawing maps to.
  Image* image = NewImage(4, 4, 8);
  SetImagePaletteEntry(image, 200, 10, 200, 30);
  BeginImageDrawing(nullptr, image);
  SetPen(MakeColor(12, 198, 33), 1, false);
  DrawPoint(1, 1);
  EndImageDrawing();
  EXPECT_EQ(GetPixelValue(image, ImageRow(image, 1), 1), 200u);
  DisposeImage(image);
}

TEST_F(ImageTest, CopyImageCopiesStretchesAndTakesTopDownSources) {
  // Source: 8-bit, 4 x 3, each row its own palette colour (top row red).
  Image* source = NewImage(4, 3, 8);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) SetPixelValue(source, ImageRow(source, y), x, 2 + y);
  }
  Image* target = NewImage(16, 12, 32);
  BeginImageDrawing(nullptr, target);
  SetDrawingMode(DrawXor);  // copying ignores the drawing mode
  CopyImage(source, nullptr, nullptr);
  const Rect top{0, 0, 4, 1}, stretched{8, 0, 16, 4};
  CopyImage(source, &top, &stretched);  // the top row, twice as wide and four times as high
  EndImageDrawing();
  const auto at = [&](int x, int y) {
    int r, g, b;
    PixelValueToRGB(target, GetPixelValue(target, ImageRow(target, y), x), &r, &g, &b);
    return MakeColor(r, g, b);
  };
  EXPECT_EQ(at(0, 0), ColorRed);
  EXPECT_EQ(at(3, 1), MakeColor(0, 255, 0));
  EXPECT_EQ(at(2, 2), MakeColor(0, 0, 255));
  EXPECT_EQ(at(4, 0), ColorBlack);
  EXPECT_EQ(at(0, 3), ColorBlack);
  for (int y = 0; y < 4; ++y) {
    for (int x = 8; x < 16; ++x) EXPECT_EQ(at(x, y), ColorRed) << x << "," << y;
  }
  EXPECT_EQ(at(8, 4), ColorBlack);
  EXPECT_EQ(at(7, 0), ColorBlack);
  DisposeImage(source);
  DisposeImage(target);
}

TEST_F(ImageTest, DisposingTheImageBeingDrawnEndsTheDrawing) {
  for (const int bits : {8, 32}) {
    Image* image = NewImage(8, 8, bits);
    ASSERT_TRUE(BeginImageDrawing(nullptr, image));
    DisposeImage(image);
    EXPECT_EQ(GetPort(), nullptr);
    DrawLine(0, 0, 7, 7);  // reaches nothing
    EndImageDrawing();
  }
}

TEST_F(ImageTest, DeviceImagesHaveTheScreenDepthAndNoRows) {
  Image* image = NewImage(10, 10, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ImageDepth(image), ScreenDepth());
  EXPECT_EQ(ImageRow(image, 0), nullptr);
  ASSERT_TRUE(BeginImageDrawing(nullptr, image));
  SetPen(ColorRed, 1, true);
  DrawRect(Rect{0, 0, 5, 5});
  EndImageDrawing();
  EXPECT_EQ(ImageToQImage(*image).pixel(4, 4) & 0xffffffu, 0xff0000u);
  EXPECT_EQ(ImageToQImage(*image).pixel(5, 5) & 0xffffffu, 0u);
  DisposeImage(image);
}

TEST_F(ImageTest, WindowsShowWhatWasDrawnIntoTheirSurface) {
  int windowStandIn = 0, otherStandIn = 0;
  auto* window = reinterpret_cast<WindowRecord*>(&windowStandIn);
  auto* other = reinterpret_cast<WindowRecord*>(&otherStandIn);
  QImage surface(30, 20, QImage::Format_ARGB32);
  surface.fill(Qt::black);
  int repaints = 0;
  AttachWindowSurface(window, &surface, [&] { ++repaints; });

  EXPECT_FALSE(BeginWindowDrawing(other));
  ASSERT_TRUE(BeginWindowDrawing(window));
  SetPen(ColorWhite, 1, false);
  DrawLine(0, 0, 29, 0);
  EXPECT_EQ(repaints, 0);
  EndWindowDrawing(window);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(surface.pixel(29, 0) & 0xffffffu, 0xffffffu);
  EXPECT_EQ(surface.pixel(0, 1) & 0xffffffu, 0u);

  // Drawing calls after the end reach nothing.
  DrawLine(0, 5, 29, 5);
  EXPECT_EQ(surface.pixel(5, 5) & 0xffffffu, 0u);
  DetachWindowSurface(window);
  EXPECT_FALSE(BeginWindowDrawing(window));
}

}  // namespace
}  // namespace qv
