// platform/picture_wmf.cpp - pictures as placeable Windows metafiles.
//
// Layout (little-endian), as Windows metafiles are written [MS-WMF]:
//   placeable header, 22 bytes:
//      0  4  key 0x9AC6CDD7          4  2  handle 0
//      6  8  bounding box: left, top, right, bottom (16-bit, the frame in screen pixels)
//     14  2  units per inch            16  4  reserved 0
//     20  2  checksum: exclusive-or of the ten 16-bit words before it
//   metafile header, 18 bytes: type 1 (memory), header words 9, version 0x0300, file size in
//     words (32 bits), number of objects, largest record in words (32 bits), 0
//   records: size in words (32 bits, with these 3 words), function (16 bits), parameters;
//     the last is the end-of-file record (size 3, function 0).
//
// Drawing calls map onto the classic device's own: LineTo leaves out the end pixel there too;
// DrawLine moves its end one pixel further along each axis in which the line advances, so both
// ends are drawn; a shape without pen is drawn one pixel larger, because the device fills a
// shape without outline one pixel short of its right and bottom edges.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/draw_qt.h"
#include "platform/image_qt.h"
#include "platform/image_write.h"
#include "platform/picture.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;

enum Function : uint16_t {
  MetaEOF = 0x0000,
  MetaSetBkMode = 0x0102,
  MetaSetMapMode = 0x0103,
  MetaSetRop2 = 0x0104,
  MetaSetPolyFillMode = 0x0106,
  MetaSaveDC = 0x001E,
  MetaRestoreDC = 0x0127,
  MetaSelectObject = 0x012D,
  MetaSetTextAlign = 0x012E,
  MetaDeleteObject = 0x01F0,
  MetaSetTextColor = 0x0209,
  MetaSetWindowOrg = 0x020B,
  MetaSetWindowExt = 0x020C,
  MetaLineTo = 0x0213,
  MetaMoveTo = 0x0214,
  MetaCreatePenIndirect = 0x02FA,
  MetaCreateFontIndirect = 0x02FB,
  MetaCreateBrushIndirect = 0x02FC,
  MetaPolygon = 0x0324,
  MetaIntersectClipRect = 0x0416,
  MetaEllipse = 0x0418,
  MetaRectangle = 0x041B,
  MetaSetPixel = 0x041F,
  MetaTextOut = 0x0521,
  MetaStretchDIB = 0x0F43,
};

constexpr int16_t MapModeAnisotropic = 8;
constexpr int16_t BkModeTransparent = 1;
constexpr int16_t PolyFillAlternate = 1;
constexpr int16_t Rop2CopyPen = 13, Rop2XorPen = 7;
constexpr int16_t PenSolid = 0, PenNull = 5, PenInsideFrame = 6;
constexpr int16_t BrushSolid = 0, BrushNull = 1;
constexpr uint32_t RopSourceCopy = 0x00CC0020;
constexpr uint8_t CharsetAnsi = 0, CharsetSymbol = 2;
constexpr int FaceNameBytes = 32;

int16_t Clamp16(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767)); }

// Builds the records and keeps the device state they set, so each change is written once.
class MetafileWriter {
 public:
  explicit MetafileWriter(const Rect& frame) {
    Record(MetaSetMapMode, {MapModeAnisotropic});
    Record(MetaSetWindowOrg, {Clamp16(frame.top), Clamp16(frame.left)});
    Record(MetaSetWindowExt, {Clamp16(RectHeight(frame)), Clamp16(RectWidth(frame))});
    Record(MetaSetBkMode, {BkModeTransparent});
    Record(MetaSetPolyFillMode, {PolyFillAlternate});
    Record(MetaSetTextAlign, {0});  // top-left, the current position not moved
    SelectPen();
    SelectFont();
  }

  void operator()(const PenOp& o) {
    state_.color = o.color;
    state_.penWidth = o.width;
    state_.fill = o.fill;
    SelectPen();
  }
  void operator()(const FontOp& o) {
    state_.fontFace = o.face;
    state_.fontSize = o.size;
    state_.fontStyle = o.style;
    SelectFont();
  }
  void operator()(const ModeOp& o) {
    state_.mode = o.mode;
    SetRop();
  }
  void operator()(const ClipOp& o) {
    // Clipping can only narrow; a saved device state is how it widens again.
    if (state_.clipped) {
      Record(MetaRestoreDC, {-1});
      Reselect();
    }
    state_.clipped = o.on;
    if (o.on) {
      Record(MetaSaveDC, {});
      Record(MetaIntersectClipRect, {Clamp16(o.rect.bottom), Clamp16(o.rect.right),
                                     Clamp16(o.rect.top), Clamp16(o.rect.left)});
    }
  }
  void operator()(const MoveOp& o) { state_.penX = o.x, state_.penY = o.y; }
  void operator()(const LineToOp& o) {
    if (state_.penWidth > 0) {
      MoveDevice(state_.penX, state_.penY);
      Record(MetaLineTo, {Clamp16(o.y), Clamp16(o.x)});
      deviceX_ = o.x, deviceY_ = o.y;
    }
    state_.penX = o.x, state_.penY = o.y;
  }
  void operator()(const LineOp& o) {
    if (state_.penWidth <= 0) return;
    if (o.x1 == o.x2 && o.y1 == o.y2) return Pixel(o.x1, o.y1);
    const int x2 = o.x2 + (o.x2 > o.x1) - (o.x2 < o.x1);
    const int y2 = o.y2 + (o.y2 > o.y1) - (o.y2 < o.y1);
    MoveDevice(o.x1, o.y1);
    Record(MetaLineTo, {Clamp16(y2), Clamp16(x2)});
    deviceX_ = x2, deviceY_ = y2;
  }
  void operator()(const PointOp& o) {
    if (state_.penWidth > 0) Pixel(o.x, o.y);
  }
  void operator()(const RectOp& o) { Shape(MetaRectangle, o.rect); }
  void operator()(const EllipseOp& o) { Shape(MetaEllipse, o.rect); }
  void operator()(const PolygonOp& o) {
    std::vector<int16_t> words{static_cast<int16_t>(o.points.size())};
    for (const PolygonPoint& p : o.points) words.insert(words.end(), {p.x, p.y});
    Record(MetaPolygon, words);
  }
  void operator()(const TextOp& o) {
    std::vector<uint8_t> bytes = TextBytes(o.text);
    const auto length = static_cast<int16_t>(bytes.size());
    if (bytes.size() % 2) bytes.push_back(0);
    std::vector<int16_t> words{length};
    AppendBytes(words, bytes);
    words.insert(words.end(), {Clamp16(o.y), Clamp16(o.x)});
    Record(MetaTextOut, words);
  }
  void operator()(const IconOp& o);
  void operator()(const ImageOp& o);

  std::vector<uint8_t> Finish(const Rect& frame, int dpi);

 private:
  void Record(uint16_t function, const std::vector<int16_t>& params) {
    const uint32_t words = 3 + static_cast<uint32_t>(params.size());
    PutLE32(records_, words);
    PutLE16(records_, function);
    for (const int16_t p : params) PutLE16(records_, static_cast<uint16_t>(p));
    maxRecord_ = std::max(maxRecord_, words);
  }
  static void AppendBytes(std::vector<int16_t>& words, const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
      words.push_back(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  static void AppendColor(std::vector<int16_t>& words, Color c) {
    words.push_back(static_cast<int16_t>(c & 0xffff));
    words.push_back(static_cast<int16_t>(c >> 16));
  }

  // Objects go into the lowest free slot of the device's table, as the device does it.
  int Create(uint16_t function, const std::vector<int16_t>& params) {
    Record(function, params);
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    *free = true;
    objects_ = std::max(objects_, static_cast<int>(free - slots_.begin()) + 1);
    return static_cast<int>(free - slots_.begin());
  }
  void Replace(int& current, uint16_t function, const std::vector<int16_t>& params) {
    const int made = Create(function, params);
    Record(MetaSelectObject, {static_cast<int16_t>(made)});
    if (current >= 0) {
      Record(MetaDeleteObject, {static_cast<int16_t>(current)});
      slots_[current] = false;
    }
    current = made;
  }
  void SelectPen() {
    const int width = state_.penWidth;
    std::vector<int16_t> pen{width == 0  ? PenNull
                             : width > 1 ? PenInsideFrame
                                         : PenSolid,
                             Clamp16(width), 0};
    AppendColor(pen, state_.color);
    Replace(pen_, MetaCreatePenIndirect, pen);
    std::vector<int16_t> brush{state_.fill ? BrushSolid : BrushNull};
    AppendColor(brush, state_.color);
    brush.push_back(0);
    Replace(brush_, MetaCreateBrushIndirect, brush);
    SetTextColor();
  }
  void SetTextColor() {
    std::vector<int16_t> text;
    AppendColor(text, state_.color);
    Record(MetaSetTextColor, text);
  }
  void SetRop() { Record(MetaSetRop2, {state_.mode == DrawXor ? Rop2XorPen : Rop2CopyPen}); }
  void SelectFont() {
    const int style = state_.fontStyle;
    const bool symbol = IsSymbolFace(state_.fontFace);
    std::vector<uint8_t> tail{static_cast<uint8_t>(style & FontItalic ? 1 : 0),
                              static_cast<uint8_t>(style & FontUnderline ? 1 : 0),
                              static_cast<uint8_t>(style & FontStrikeout ? 1 : 0),
                              symbol ? CharsetSymbol : CharsetAnsi,
                              0,
                              0,
                              0,
                              0};
    std::string face = state_.fontFace.substr(0, FaceNameBytes - 1);
    tail.insert(tail.end(), face.begin(), face.end());
    tail.resize(8 + FaceNameBytes, 0);
    std::vector<int16_t> font{Clamp16(state_.fontSize), 0, 0, 0,
                              static_cast<int16_t>(style & FontBold ? 700 : 400)};
    AppendBytes(font, tail);
    Replace(font_, MetaCreateFontIndirect, font);
  }
  // After a saved state is restored: the current objects, mode and text colour again.
  void Reselect() {
    for (const int object : {pen_, brush_, font_})
      Record(MetaSelectObject, {static_cast<int16_t>(object)});
    SetRop();
    SetTextColor();
    deviceX_ = deviceY_ = INT32_MIN;
  }
  void MoveDevice(int x, int y) {
    if (x == deviceX_ && y == deviceY_) return;
    Record(MetaMoveTo, {Clamp16(y), Clamp16(x)});
    deviceX_ = x, deviceY_ = y;
  }
  void Pixel(int x, int y) {
    std::vector<int16_t> params;
    AppendColor(params, state_.color);
    params.insert(params.end(), {Clamp16(y), Clamp16(x)});
    Record(MetaSetPixel, params);
  }
  void Shape(uint16_t function, const Rect& r) {
    if (state_.penWidth == 0 && !state_.fill) return;
    const int grow = state_.penWidth == 0 ? 1 : 0;
    Record(function,
           {Clamp16(r.bottom + grow), Clamp16(r.right + grow), Clamp16(r.top), Clamp16(r.left)});
  }
  // Text in the font's own character set: Latin-1 for ordinary faces (the degree sign is 0xB0),
  // the bytes as they are for Symbol.
  std::vector<uint8_t> TextBytes(const std::string& text) const {
    if (IsSymbolFace(state_.fontFace)) return std::vector<uint8_t>(text.begin(), text.end());
    std::vector<uint8_t> out;
    for (const QChar c : QString::fromStdString(text))
      out.push_back(c.unicode() <= 0xff ? static_cast<uint8_t>(c.unicode()) : '?');
    return out;
  }

  std::vector<uint8_t> records_;
  uint32_t maxRecord_ = 0;
  std::array<bool, 8> slots_{};
  int objects_ = 0;
  int pen_ = -1, brush_ = -1, font_ = -1;
  DrawingState state_;
  int deviceX_ = 0, deviceY_ = 0;  // the device's current position
};

// A 24-bit device-independent bitmap of the pixels: information header, then rows bottom-up.
std::vector<uint8_t> DibOf(const QImage& pixels) {
  const int width = pixels.width(), height = pixels.height();
  const int rowBytes = (width * 24 + 31) / 32 * 4;
  std::vector<uint8_t> dib;
  for (const uint32_t v : {40u, uint32_t(width), uint32_t(height)}) PutLE32(dib, v);
  PutLE16(dib, 1);
  PutLE16(dib, 24);
  for (const uint32_t v : {0u, uint32_t(rowBytes * height), 0u, 0u, 0u, 0u}) PutLE32(dib, v);
  std::vector<uint8_t> rgb(3 * size_t(width));
  for (int y = height - 1; y >= 0; --y) {
    RowToRGB(pixels, y, rgb.data());
    for (int x = 0; x < width; ++x)
      dib.insert(dib.end(), {rgb[3 * x + 2], rgb[3 * x + 1], rgb[3 * x]});
    dib.resize(dib.size() + rowBytes - 3 * width, 0);
  }
  return dib;
}

void MetafileWriter::operator()(const ImageOp& o) {
  const Rect& s = o.source;
  const Rect& d = o.destination;
  const QImage part = o.image->copy(s.left, s.top, RectWidth(s), RectHeight(s))
                          .convertToFormat(QImage::Format_RGB32);
  std::vector<int16_t> params;
  AppendColor(params, RopSourceCopy);
  params.insert(params.end(),
                {0, Clamp16(part.height()), Clamp16(part.width()), 0, 0, Clamp16(RectHeight(d)),
                 Clamp16(RectWidth(d)), Clamp16(d.top), Clamp16(d.left)});
  AppendBytes(params, DibOf(part));
  Record(MetaStretchDIB, params);
}

// An icon in the pen colour: each run of its mask a filled rectangle without outline.
void MetafileWriter::operator()(const IconOp& o) {
  if (!o.icon) return;
  const DrawingState saved = state_;
  state_.penWidth = 0;
  state_.fill = true;
  SelectPen();
  const QImage& mask = o.icon->mask;
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width();) {
      int end = x;
      while (end < mask.width() && qAlpha(mask.pixel(end, y)) != 0) ++end;
      if (end > x) Shape(MetaRectangle, Rect{o.x + x, o.y + y, o.x + end, o.y + y + 1});
      x = std::max(end, x + 1);
    }
  }
  state_ = saved;
  SelectPen();
}

std::vector<uint8_t> MetafileWriter::Finish(const Rect& frame, int dpi) {
  Record(MetaEOF, {});
  std::vector<uint8_t> out;
  PutLE32(out, PlaceableKey);
  PutLE16(out, 0);
  for (const int v : {frame.left, frame.top, frame.right, frame.bottom})
    PutLE16(out, static_cast<uint16_t>(Clamp16(v)));
  PutLE16(out, static_cast<uint16_t>(dpi));
  PutLE32(out, 0);
  uint16_t checksum = 0;
  for (size_t i = 0; i < 20; i += 2) checksum ^= static_cast<uint16_t>(out[i] | out[i + 1] << 8);
  PutLE16(out, checksum);

  constexpr uint32_t HeaderWords = 9;
  PutLE16(out, 1);
  PutLE16(out, HeaderWords);
  PutLE16(out, 0x0300);
  PutLE32(out, HeaderWords + static_cast<uint32_t>(records_.size() / 2));
  PutLE16(out, static_cast<uint16_t>(objects_));
  PutLE32(out, maxRecord_);
  PutLE16(out, 0);
  out.insert(out.end(), records_.begin(), records_.end());
  return out;
}

}  // namespace

int64_t WritePictureWMF(std::string_view path, const Picture* picture) {
  if (!picture) return ResultFailed;
  MetafileWriter writer(picture->frame);
  for (const DrawOp& op : picture->ops) std::visit(writer, op);
  const std::vector<uint8_t> bytes = writer.Finish(picture->frame, ScreenDotsPerInch());
  return WriteReplacing(path, [&](PlatformFile& file) { return WriteBytes(file, bytes); });
}

}  // namespace qv
