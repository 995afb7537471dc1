// objects/textscan.cpp - scanf-like conversions without locale, overflow or NaN.
#include "objects/textscan.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// The characters a number may use after the skipped blanks: the whole rest, or a width.
std::string_view NumberField(const TextScanner& s, size_t width) {
  std::string_view rest = s.Rest();
  return width > 0 && rest.size() > width ? rest.substr(0, width) : rest;
}

// A leading '+' is accepted as scanf does; from_chars itself takes only '-'. The sign must be
// followed by the number: "+-5" is no number.
size_t SkipPlus(std::string_view field) {
  return field.size() > 1 && field[0] == '+' && field[1] != '-' && field[1] != '+' ? 1 : 0;
}

bool IsFiniteNumber(long) { return true; }
bool IsFiniteNumber(double value) { return std::isfinite(value); }

// ReadNumber: %ld or %lf; on failure the position stays where it was.
template <typename T>
bool ReadNumber(TextScanner& s, T& out, size_t width) {
  const size_t start = s.pos;
  s.SkipBlanks();
  const std::string_view field = NumberField(s, width);
  const size_t plus = SkipPlus(field);
  T value{};
  const auto [end, error] =
      std::from_chars(field.data() + plus, field.data() + field.size(), value);
  if (error != std::errc() || !IsFiniteNumber(value)) {
    s.pos = start;
    return false;
  }
  out = value;
  s.pos += static_cast<size_t>(end - field.data());
  return true;
}

// A %ld conversion kept within a narrower type; a value outside it is no conversion.
template <typename T>
bool ReadNarrow(TextScanner& s, T& out, size_t width) {
  const size_t start = s.pos;
  long value = 0;
  if (!s.ReadLong(value, width)) return false;
  if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
    s.pos = start;
    return false;
  }
  out = static_cast<T>(value);
  return true;
}

}  // namespace

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    if (FoldCase(a[k]) != FoldCase(b[k])) return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

void TextScanner::SkipBlanks() {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
}

bool TextScanner::ReadLong(long& out, size_t width) { return ReadNumber(*this, out, width); }

bool TextScanner::ReadInt16(int16_t& out, size_t width) { return ReadNarrow(*this, out, width); }

bool TextScanner::ReadInt(int& out, size_t width) { return ReadNarrow(*this, out, width); }

bool TextScanner::ReadDouble(double& out, size_t width) { return ReadNumber(*this, out, width); }

bool TextScanner::ReadChar(char& out) {
  if (AtEnd()) return false;
  out = text[pos++];
  return true;
}

bool TextScanner::ReadWord(std::string_view& out) {
  SkipBlanks();
  const size_t start = pos;
  while (pos < text.size() && !IsBlank(text[pos])) ++pos;
  if (pos == start) return false;
  out = text.substr(start, pos - start);
  return true;
}

}  // namespace qv
