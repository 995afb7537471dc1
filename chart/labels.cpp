// chart/labels.cpp - labels with Greek Bayer letters (see labels.h).
#include "chart/labels.h"

#include <cctype>
#include <cstring>
#include <string>

#include "platform/draw.h"

namespace qv {
namespace {

constexpr const char* GreekFace = "Symbol";  // the platform draws its Latin letters as Greek

// Draws a piece with its bottom at y (raised pieces pass a higher bottom); returns its width.
int DrawPiece(const char* text, int length, int x, int bottom) {
  int width = 0, height = 0;
  MeasureText(text, length, &width, &height);
  DrawText(text, length, x, bottom - height);
  return width;
}

int MeasurePiece(const char* text, int length, int, int) {
  int width = 0;
  MeasureText(text, length, &width, nullptr);
  return width;
}

// Walks the pieces of a label (Greek letter, raised digit, the rest) from x, handing each to
// `piece` with its bottom; returns the x just past the text.
template <typename Piece>
int WalkLabel(const char* text, int length, int x, int y, Piece piece) {
  if (!text) return x;
  if (length <= 0) {
    const char* end = std::strchr(text, ';');
    length = static_cast<int>(end ? end - text : std::strlen(text));
  }
  if (length <= 0) return x;
  int pos = 0;
  if (text[0] == '$' && length >= 2) {
    std::string face;
    int size = 0, style = 0;
    GetFont(&face, &size, &style);
    SetFont(GreekFace, size, style);
    x += piece(text + 1, 1, x, y);
    SetFont(face.c_str(), size, style);
    pos = 2;
    if (length >= 3 && std::isdigit(static_cast<unsigned char>(text[2]))) {
      int height = 0;
      MeasureText(text + 2, 1, nullptr, &height);
      x += piece(text + 2, 1, x, y - height / 2);
      pos = 3;
    }
  }
  if (pos < length) x += piece(text + pos, length - pos, x, y);
  return x;
}

}  // namespace

int DrawLabel(const char* text, int length, int x, int y) {
  return WalkLabel(text, length, x, y, DrawPiece);
}

int LabelWidth(const char* text, int length) { return WalkLabel(text, length, 0, 0, MeasurePiece); }

}  // namespace qv
