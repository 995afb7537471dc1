// platform/draw_text.cpp - fonts, the Symbol font's Greek letters, and the symbol icons (the
// masks resources/icons/NNN.png built into the program).
#include <QFontMetrics>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/draw_qt.h"
#include "platform/embedded_files.h"

extern const qv::EmbeddedFile IconImages[];  // resources/icons/*.png

namespace qv {
namespace {

// The classic Symbol font draws Greek letters at the Latin positions (Adobe Symbol encoding):
// A-Z then a-z.
constexpr char16_t SymbolUpper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι',
                                      u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u'Θ', u'Ρ',
                                      u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
constexpr char16_t SymbolLower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι',
                                      u'ϕ', u'κ', u'λ', u'μ', u'ν', u'ο', u'π', u'θ', u'ρ',
                                      u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};

// The face that draws the Greek letters of "Symbol" (fonts-dejavu-core).
constexpr const char* GreekFace = "DejaVu Sans";

constexpr int IconSize = 32;

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
  if (height > 0 && height != cell)
    font.setPixelSize(std::max(1, (cell * cell + height / 2) / height));
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
  static std::map<int, std::unique_ptr<Icon>> icons;
  if (auto it = icons.find(resourceNumber); it != icons.end()) return it->second.get();
  const EmbeddedFile* file = FindEmbeddedFile(IconImages, std::to_string(resourceNumber) + ".png");
  if (!file) return nullptr;
  QImage image;
  if (!image.loadFromData(file->bytes, static_cast<int>(file->size), "PNG")) return nullptr;
  auto icon = std::make_unique<Icon>();
  icon->resourceNumber = resourceNumber;
  icon->mask = image.convertToFormat(QImage::Format_ARGB32).scaled(IconSize, IconSize);
  return icons.emplace(resourceNumber, std::move(icon)).first->second.get();
}

}  // namespace qv
