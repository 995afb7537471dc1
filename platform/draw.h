// platform/draw.h - the drawing port. Plain types; no Qt header here.
//
// There is one current drawing target (the port): a window, an off-screen Image, a recorded
// Picture (platform/picture.h) or a printer page (platform/print.h). Lines, shapes and text go
// into it with the current pen, fill, font and drawing mode. Coordinates are integer pixels of
// the target, origin top-left, x right, y down; on a printer page one logical unit is one screen
// pixel. Rectangles exclude their right and bottom edges.
//
// Pixels are exact (no antialiasing): on windows and images, lines of width 1, points, rectangles
// and ellipses are set pixel by pixel by fixed rules, so chart tests can assert single pixels.
// Every drawing call is ignored while no target is current; state calls then only change the
// values GetPen and GetFont report. Beginning a target starts it from its own default state:
// black pen of width 1, no fill, DefaultFontFace at DefaultFontSize, copy mode, no clip, pen at
// (0, 0). Only one target is current; end one before beginning the next.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rect.h"

namespace qv {

// Color: red in bits 0-7, green in bits 8-15, blue in bits 16-23, the top byte zero.
using Color = uint32_t;

constexpr Color MakeColor(int red, int green, int blue) {
  return static_cast<Color>(red & 0xff) | static_cast<Color>(green & 0xff) << 8 |
         static_cast<Color>(blue & 0xff) << 16;
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xff); }
constexpr int GreenOf(Color c) { return static_cast<int>(c >> 8 & 0xff); }
constexpr int BlueOf(Color c) { return static_cast<int>(c >> 16 & 0xff); }

constexpr Color ColorRed = MakeColor(255, 0, 0);
constexpr Color ColorBlack = MakeColor(0, 0, 0);
constexpr Color ColorWhite = MakeColor(255, 255, 255);

// Font style bits. Outline, shadow, condensed and extended are kept in settings but not drawn.
enum FontStyleBits : int {
  FontBold = 1,
  FontItalic = 2,
  FontUnderline = 4,
  FontOutline = 8,
  FontShadow = 16,
  FontCondensed = 32,
  FontExtended = 64,
  FontStrikeout = 128,
};
constexpr const char* DefaultFontFace = "Arial";  // resolves to Liberation Sans on Linux
constexpr int DefaultFontSize = 14;               // cell height, pixels

// Drawing modes (raster operations). Xor combines the pen colour with what is there, so drawing
// the same thing twice restores the target.
enum DrawingMode : int { DrawCopy = 1, DrawXor = 2 };

struct Image;         // off-screen bitmap (below)
struct WindowRecord;  // a window of the platform layer (platform/windows.h)
struct DrawTarget;    // a drawing target, opaque outside platform/

// --- Port -----------------------------------------------------------------------------------

// BeginWindowDrawing: makes the window's drawing surface the port; false when the window has
// none (not created through the platform layer, or already gone). EndWindowDrawing ends drawing
// and shows what was drawn.
bool BeginWindowDrawing(WindowRecord* window);
void EndWindowDrawing(WindowRecord* window);

// BeginImageDrawing: makes the image the port (window is accepted for the classic call shape and
// not needed). Drawing into an image of 1, 4 or 8 bits goes through a 32-bit buffer and lands in
// its rows, mapped to the nearest palette entry, when drawing ends.
bool BeginImageDrawing(WindowRecord* window, Image* image);
void EndImageDrawing();

// GetPort and SetPort read or replace the current target without saving or restoring anything
// (the printing abort routine parks the port while it lets other windows draw).
DrawTarget* GetPort();
void SetPort(DrawTarget* target);

// --- State ----------------------------------------------------------------------------------

// SetPen: pen and text colour = color; width in pixels (0: no outlines and no lines); fill on or
// off (shapes are filled with the pen colour).
void SetPen(Color color, int width, bool fill);
void GetPen(Color* color, int* width, bool* fill);  // each output may be null
void SetColor(Color color);                         // pen, fill and text colour
void SetFill(bool on);
void SetDrawingMode(int mode);  // a DrawingMode; only while a target is current

// SetFont: face (at most 31 characters; "Symbol" draws the Greek letters of the classic Symbol
// font's Latin positions), size = the font's cell height in pixels, style = FontStyleBits.
void SetFont(const char* face, int size, int style);
void GetFont(std::string* face, int* size, int* style);  // each output may be null

// SetClipRect: limits all drawing to the rectangle (the target's coordinates).
void SetClipRect(const Rect& rect);
void ClearClip();

// --- Drawing --------------------------------------------------------------------------------

void MoveTo(int x, int y);
// LineTo: draws from the pen position to (x, y) without the end pixel and moves the pen there.
void LineTo(int x, int y);
void GetPenPosition(int* x, int* y);
// DrawLine: a line including both end points; (x, y) to itself is the one pixel (x, y).
void DrawLine(int x1, int y1, int x2, int y2);
void DrawPoint(int x, int y);  // one pixel in the pen colour

// DrawRect and DrawEllipse cover exactly the pixels left <= x < right, top <= y < bottom (the
// ellipse: those whose centres lie inside the inscribed ellipse): the outer band as wide as the
// pen in the pen colour, the inside with the fill. With pen width 0 the fill covers it all.
void DrawRect(const Rect& rect);
void DrawEllipse(int left, int top, int right, int bottom);

// Polygon: closed, drawn with its outline by the pen and its inside by the fill (alternate
// filling: a point is inside when a ray from it crosses the outline an odd number of times).
struct PolygonPoint {
  int16_t x = 0, y = 0;
};
struct Polygon {
  int32_t count = 0;
  std::vector<PolygonPoint> points;  // count points
};
// NewPolygon: from two arrays of count coordinates; null when count < 1 or memory is short.
Polygon* NewPolygon(int count, const int16_t* xs, const int16_t* ys);
void DisposePolygon(Polygon* polygon);
void DrawPolygon(const Polygon* polygon);

// DrawText: UTF-8 text with its top-left at (x, y), in the text colour and current font, on a
// transparent background; length in bytes, 0 meaning up to the terminating zero.
void DrawText(const char* text, int length, int x, int y);
// MeasureText: width and cell height of the text in the current font (outputs may be null);
// works with no target current.
void MeasureText(const char* text, int length, int* width, int* height);

// Icons: 32 x 32 symbols, resource numbers 301-315 (the solar-system body kinds 1-15); drawn in
// the pen colour with the top-left at (x, y). LoadIcon gives null for a number without icon.
struct Icon;
const Icon* LoadIcon(int resourceNumber);
void DrawIcon(const Icon* icon, int x, int y);

// CopyImage: copies the image (or the source part of it, top-down coordinates) into the
// destination rectangle of the port, stretching when the sizes differ. A null source means the
// whole image, a null destination the source's size at the origin. Always a plain copy,
// whatever the drawing mode.
void CopyImage(const Image* image, const Rect* source, const Rect* destination);

// --- Images ---------------------------------------------------------------------------------
//
// An Image is a bitmap laid out as a device-independent bitmap: rows bottom-up in memory, each
// padded to a multiple of 4 bytes, with a 256-entry palette of which the first 2^bits entries
// count. Images of 1, 4 and 8 bits start with the default palette: black, white, red, green,
// blue, cyan, magenta, yellow, light grey (192), grey (127), dark red, dark green, dark blue,
// dark cyan, dark magenta, dark yellow (127 where the light ones have 255), the rest black.
// A device image (bits 0 at creation) has the screen's depth and no addressable rows.

// NewImage: bits 0, 1, 4, 8 or 32; null for other depths, sizes below 1 or too large, or when
// memory is short. The pixels start black (index 0).
Image* NewImage(int width, int height, int bits);
void DisposeImage(Image* image);
int ImageWidth(const Image* image);
int ImageHeight(const Image* image);
int ImageDepth(const Image* image);  // bits per pixel

// Palette entries beyond 2^bits (and on 32-bit or device images) are ignored / read as black.
void SetImagePaletteEntry(Image* image, int index, int red, int green, int blue);
void GetImagePaletteEntry(const Image* image, int index, int* red, int* green, int* blue);

// ImageRow: the bytes of row y counted from the top; null for a device image or y out of range.
uint8_t* ImageRow(Image* image, int y);
const uint8_t* ImageRow(const Image* image, int y);

// Pixel values: for 32-bit images 0xffRRGGBB (red bits 16-23, green 8-15, blue 0-7; the top
// byte is set when written and ignored when read); for palette images the palette index
// (1-bit pixels are packed from the high bit, 4-bit pixels high nibble first).
uint32_t GetPixelValue(const Image* image, const uint8_t* row, int x);
void SetPixelValue(const Image* image, uint8_t* row, int x, uint32_t value);
void PixelValueToRGB(const Image* image, uint32_t value, int* red, int* green, int* blue);
constexpr uint32_t PixelValueFromRGB(int red, int green, int blue) {
  return 0xff000000u | static_cast<uint32_t>(red & 0xff) << 16 |
         static_cast<uint32_t>(green & 0xff) << 8 | static_cast<uint32_t>(blue & 0xff);
}

}  // namespace qv
