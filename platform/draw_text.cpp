// platform/draw_text.cpp - fonts, the Symbol font's Greek letters, and the symbol icons.
#include <QFontMetrics>
#include <QPainter>

#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "platform/draw_qt.h"

namespace qv {
namespace {

// The classic Symbol font draws Greek letters at the Latin positions (Adobe Symbol encoding):
// A-Z then a-z.
constexpr char16_t SymbolUpper[26] = {
    u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι', u'ϑ', u'Κ', u'Λ', u'Μ',
    u'Ν', u'Ο', u'Π', u'Θ', u'Ρ', u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
constexpr char16_t SymbolLower[26] = {
    u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι', u'ϕ', u'κ', u'λ', u'μ',
    u'ν', u'ο', u'π', u'θ', u'ρ', u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};

// The face that draws the Greek letters of "Symbol" (fonts-dejavu-core).
constexpr const char* GreekFace = "DejaVu Sans";

// Symbol icons 301-315: the solar-system body kinds 1-15 (Sun, Mercury ... Pluto, comet,
// asteroid, spacecraft, Earth satellite, Moon), drawn from DejaVu Sans glyphs.
constexpr int FirstIcon = 301;
constexpr std::array<char16_t, 15> IconGlyphs = {
    u'☉', u'☿', u'♀', u'⊕', u'♂', u'♃', u'♄', u'⛢', u'♆', u'♇', u'☄', u'⚳', u'✈', u'✧', u'☾'};
constexpr int IconSize = 32;
constexpr int IconGlyphHeight = 26;  // cell height of the glyph inside the 32-pixel square

Icon MakeIcon(int resourceNumber) {
  Icon icon;
  icon.resourceNumber = resourceNumber;
  icon.mask = QImage(IconSize, IconSize, QImage::Format_ARGB32);
  icon.mask.fill(Qt::transparent);
  QPainter painter(&icon.mask);
  painter.setFont(MakeFont(GreekFace, IconGlyphHeight, 0));
  painter.setPen(Qt::black);
  painter.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter,
                   QString(QChar(IconGlyphs[resourceNumber - FirstIcon])));
  return icon;
}

}  // namespace

bool IsSymbolFace(const std::string& face) {
  return QString::fromStdString(face).compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

QFont MakeFont(const std::string& face, int cellHeight, int style) {
  using Key = std::tuple<std::string, int, int>;
  static std::map<Key, QFont> made;
  const Key key{face, cellHeight, style};
  if (auto it = made.find(key); it != made.end()) return it->second;

  QFont font(QString::fromStdString(IsSymbolFace(face) ? std::string(GreekFace) : face));
  font.setStyleStrategy(QFont::NoAntialias);
  font.setWeight(style & FontBold ? QFont::Bold : QFont::Normal);
  font.setItalic(style & FontItalic);
  font.setUnderline(style & FontUnderline);
  font.setStrikeOut(style & FontStrikeout);
  // The size is the cell height (ascent + descent); Qt sizes fonts by their em.
  const int cell = cellHeight > 0 ? cellHeight : DefaultFontSize;
  font.setPixelSize(cell);
  const int height = QFontMetrics(font).height();
  if (height > 0 && height != cell) font.setPixelSize(std::max(1, (cell * cell + height / 2) / height));
  made.emplace(key, font);
  return font;
}

QString TextForFont(const std::string& text, bool symbolFont) {
  if (!symbolFont) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QString out;
  for (const char c : text) {
    if (c >= 'A' && c <= 'Z') {
      out += QChar(SymbolUpper[c - 'A']);
    } else if (c >= 'a' && c <= 'z') {
      out += QChar(SymbolLower[c - 'a']);
    } else {
      out += QChar::fromLatin1(c);
    }
  }
  return out;
}

const Icon* LoadIcon(int resourceNumber) {
  if (resourceNumber < FirstIcon || resourceNumber >= FirstIcon + int(IconGlyphs.size())) return nullptr;
  static std::array<std::unique_ptr<Icon>, IconGlyphs.size()> icons;
  std::unique_ptr<Icon>& icon = icons[resourceNumber - FirstIcon];
  if (!icon) icon = std::make_unique<Icon>(MakeIcon(resourceNumber));
  return icon.get();
}

}  // namespace qv
