// objects/textscan.h - reading numbers and words out of text as the C library's scanf
// conversions read them (%ld, %hd, %lf, %c, %s, and widths such as %8lf): blanks before a number
// or word are skipped, and the longest valid prefix is taken.
//
// Unlike scanf it never depends on the locale (a German desktop would read "2.35" as 2), never
// overflows (a value out of range is a failed conversion, not undefined behaviour) and rejects
// infinities and NaN, which no field of the program's text files may hold. A failed conversion
// leaves the position where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qv {

struct TextScanner {
  std::string_view text;
  size_t pos = 0;

  explicit TextScanner(std::string_view t, size_t start = 0) : text(t), pos(start) {}

  bool AtEnd() const { return pos >= text.size(); }
  std::string_view Rest() const { return AtEnd() ? std::string_view() : text.substr(pos); }
  void SkipBlanks();

  // Numbers. A width, as in "%8lf", limits the characters taken after the skipped blanks.
  bool ReadLong(long& out, size_t width = 0);
  bool ReadInt16(int16_t& out, size_t width = 0);
  bool ReadInt(int& out, size_t width = 0);
  bool ReadDouble(double& out, size_t width = 0);

  bool ReadChar(char& out);              // %c: the next character, a blank included
  bool ReadWord(std::string_view& out);  // %s: blanks skipped, then up to the next blank
};

bool IsBlank(char c);  // space, tab, and the other C-locale white-space characters

// Case-insensitive comparisons of ASCII letters; other bytes compare exactly.
char FoldCase(char c);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace qv
