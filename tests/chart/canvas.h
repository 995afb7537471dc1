// An off-screen 32-bit image for chart tests: black to start, the current port while the test
// runs, read back pixel by pixel.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/draw.h"

namespace qv {

using PixelSet = std::set<std::pair<int, int>>;

class Canvas {
 public:
  Canvas(int width, int height) : image_(NewImage(width, height, 32)) {
    EXPECT_NE(image_, nullptr);
    began_ = image_ && BeginImageDrawing(nullptr, image_);
    EXPECT_TRUE(began_);
  }
  ~Canvas() {
    if (began_) EndImageDrawing();
    DisposeImage(image_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Image* image() { return image_; }
  int width() const { return ImageWidth(image_); }
  int height() const { return ImageHeight(image_); }

  Color At(int x, int y) const {
    int r = 0, g = 0, b = 0;
    PixelValueToRGB(image_, GetPixelValue(image_, ImageRow(image_, y), x), &r, &g, &b);
    return MakeColor(r, g, b);
  }
  // Every pixel that is not black.
  PixelSet Lit() const {
    PixelSet out;
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) {
        if (At(x, y) != ColorBlack) out.insert({x, y});
      }
    }
    return out;
  }
  // The bounding box of the lit pixels: left, top, right, bottom inclusive.
  struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  };
  Box LitBox() const {
    Box box;
    for (const auto& [x, y] : Lit()) {
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
    return box;
  }
  void Clear() {
    SetPen(ColorBlack, 0, true);
    DrawRect(Rect{0, 0, width(), height()});
  }

 private:
  Image* image_;
  bool began_ = false;
};

}  // namespace qv
