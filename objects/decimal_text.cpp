// objects/decimal_text.cpp - locale-independent number text over std::to_chars and std::from_chars.
#include "objects/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qv {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

size_t SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

// AddSign: "+" before text when asked and the value is not negative (also for +0).
std::string AddSign(std::string text, bool plusSign) {
  if (plusSign && text[0] != '-') text.insert(0, 1, '+');
  return text;
}

}  // namespace

std::string FormatFixed(double value, int precision, bool plusSign, int width) {
  std::string text;
  if (!std::isfinite(value)) {
    text = NonFiniteText(value);
  } else {
    char buffer[400];  // the largest double has 309 digits before the point
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    text.assign(buffer, ec == std::errc{} ? end : buffer);
  }
  text = AddSign(std::move(text), plusSign);
  const size_t signs = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (std::isfinite(value) && text.size() < static_cast<size_t>(width)) {
    text.insert(signs, static_cast<size_t>(width) - text.size(), '0');
  }
  return text;
}

std::string FormatFixedKeeping(double value, int precision, int maxPrecision, bool plusSign) {
  const double tolerance = 1e-12 * std::max(1.0, std::abs(value));
  for (; precision < maxPrecision; ++precision) {
    std::string text = FormatFixed(value, precision, plusSign);
    if (std::abs(ParseDecimal(text) - value) <= tolerance) return text;
  }
  return FormatFixed(value, maxPrecision, plusSign);
}

std::string FormatScientific(double value, int precision) {
  if (!std::isfinite(value)) return AddSign(NonFiniteText(value), true);
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, precision);
  std::string text(buffer, ec == std::errc{} ? end : buffer);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return AddSign(std::move(text), true);
}

double ParseDecimal(std::string_view text, size_t* end) {
  size_t i = SkipBlanks(text);
  if (i < text.size() && text[i] == '+') {
    ++i;
    if (i < text.size() && text[i] == '-') i = text.size();  // "+-": no number
  }
  double value = 0;
  const char* first = text.data() + std::min(i, text.size());
  const auto [last, ec] = std::from_chars(first, text.data() + text.size(), value);
  const bool read = ec == std::errc{} && std::isfinite(value);
  if (end) *end = read ? static_cast<size_t>(last - text.data()) : 0;
  return read ? value : 0;
}

int64_t ParseWhole(std::string_view text, int64_t lowest, int64_t highest, size_t* end) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t digits = i;
  int64_t value = 0;  // kept within [lowest, highest]: no overflow however many digits
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (!negative) {
      value = value > (highest - digit) / 10 ? highest : value * 10 + digit;
    } else {
      value = value < (lowest + digit) / 10 ? lowest : value * 10 - digit;
    }
  }
  if (i == digits) {
    if (end) *end = 0;
    return 0;
  }
  if (end) *end = i;
  return std::clamp(value, lowest, highest);
}

}  // namespace qv
