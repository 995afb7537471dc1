// platform/windows_colors.cpp - the 21 classic system colours over the application palette.
// Red-screen mode reads them, writes red-only copies and later writes the saved ones back; the
// palette must then be exactly what it was, so the palette seen first is kept and restored
// whole when the table written equals the table read from it. The night table is the one the
// red-screen mode writes.
#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "platform/events.h"

namespace qv {
namespace {

using ColorTable = std::array<uint32_t, SystemColorCount>;

// The palette roles that show each system colour (none: kept, but nothing here draws it).
const std::initializer_list<QPalette::ColorRole> RolesOf[SystemColorCount] = {
    {QPalette::Mid},                         // 0 scroll bar
    {},                                      // 1 desktop
    {QPalette::Link},                        // 2 active caption
    {QPalette::LinkVisited},                 // 3 inactive caption
    {QPalette::AlternateBase},               // 4 menu
    {QPalette::Base},                        // 5 window
    {QPalette::Shadow},                      // 6 window frame
    {QPalette::ToolTipText},                 // 7 menu text
    {QPalette::Text, QPalette::WindowText},  // 8 window text
    {QPalette::BrightText},                  // 9 caption text
    {QPalette::Light},                       // 10 active border
    {QPalette::Midlight},                    // 11 inactive border
    {QPalette::ToolTipBase},                 // 12 workspace
    {QPalette::Highlight},                   // 13 highlight
    {QPalette::HighlightedText},             // 14 highlight text
    {QPalette::Button, QPalette::Window},    // 15 button face
    {QPalette::Dark},                        // 16 button shadow
    {QPalette::PlaceholderText},             // 17 grey text (also disabled texts)
    {QPalette::ButtonText},                  // 18 button text
    {},                                      // 19 inactive caption text
    {},                                      // 20 button highlight
};
constexpr int GreyTextIndex = 17;

// Night vision wants the least light that still reads: backgrounds black or nearly so, texts a
// medium red, grey texts half as bright. Every value stays below 170, where QColor::lighter()
// (which styles use for bevels) would leave pure red and add green and blue.
constexpr int TextRed = 160;
constexpr uint8_t NightRed[SystemColorCount] = {
    50,   // scroll bar
    0,    // desktop
    160,  // active caption
    120,  // inactive caption
    12,   // menu
    0,    // window
    0,    // window frame
    160,  // menu text
    160,  // window text
    165,  // caption text
    70,   // active border
    45,   // inactive border
    8,    // workspace
    90,   // highlight
    165,  // highlight text
    16,   // button face
    6,    // button shadow
    80,   // grey text
    160,  // button text
    80,   // inactive caption text
    70,   // button highlight
};

struct ColorState {
  bool read = false;
  QPalette basePalette;
  ColorTable baseTable{};
  ColorTable table{};
};

ColorState colors;

uint32_t ColourOf(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
         (static_cast<uint32_t>(c.blue()) << 16);
}

QColor QColorOf(uint32_t c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

void ReadBase() {
  if (colors.read) return;
  colors.read = true;
  colors.basePalette = QApplication::palette();
  for (int i = 0; i < SystemColorCount; ++i) {
    const QPalette::ColorRole role = RolesOf[i].size() ? *RolesOf[i].begin() : QPalette::Window;
    colors.baseTable[i] = ColourOf(colors.basePalette.color(QPalette::Active, role));
  }
  colors.table = colors.baseTable;
}

QPalette PaletteOf(const ColorTable& table) {
  QPalette palette = colors.basePalette;
  for (int i = 0; i < SystemColorCount; ++i) {
    for (QPalette::ColorRole role : RolesOf[i]) {
      palette.setColor(QPalette::Active, role, QColorOf(table[i]));
      palette.setColor(QPalette::Inactive, role, QColorOf(table[i]));
      palette.setColor(QPalette::Disabled, role, QColorOf(table[i]));
    }
  }
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, QColorOf(table[GreyTextIndex]));
  return palette;
}

}  // namespace

int GetSystemColorTable(uint32_t* buffer, int first) {
  ReadBase();
  for (int i = 0; i < SystemColorCount; ++i) buffer[first + i] = colors.table[i];
  return SystemColorCount;
}

int SetSystemColorTable(const uint32_t* buffer) {
  ReadBase();
  std::copy(buffer, buffer + SystemColorCount, colors.table.begin());
  QApplication::setPalette(colors.table == colors.baseTable ? colors.basePalette
                                                            : PaletteOf(colors.table));
  return SystemColorCount;
}

QPixmap InNightColors(const QPixmap& picture) {
  ColorTable night;
  GetNightColorTable(night.data());
  if (!colors.read || colors.table != night || picture.isNull()) return picture;
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int bright = std::max({qRed(row[x]), qGreen(row[x]), qBlue(row[x])});
      row[x] = qRgba(bright * TextRed / 255, 0, 0, qAlpha(row[x]));
    }
  }
  return QPixmap::fromImage(image);
}

int GetNightColorTable(uint32_t* buffer) {
  std::copy(NightRed, NightRed + SystemColorCount, buffer);  // red in bits 0-7, as Color
  return SystemColorCount;
}

}  // namespace qv
