// objects/constellations.h - the 88 constellations and the 24 Greek letters that Bayer,
// Flamsteed and variable-star designations refer to. Texts are used exactly as listed.
#pragma once

#include <array>
#include <string_view>

namespace qv {

struct Constellation {
  const char* abbreviation;
  const char* name;
  const char* genitive;
  const char* meaning;
};

constexpr int ConstellationCount = 88;
// Constellations[n - 1] is constellation number n, the number stored in designations.
extern const std::array<Constellation, ConstellationCount> Constellations;

// FindConstellation: the number (1-88) whose abbreviation equals the first three characters of
// text without regard to case ("Cygni" finds Cyg); 0 when none does.
int FindConstellation(std::string_view text);

// GreekLetter: the letter's name, the character that stands for it in the Symbol typeface (as
// stored after "$" in designations) and the letter itself in UTF-8, for drawing.
struct GreekLetter {
  const char* name;
  char symbol;
  const char* utf8;
};

constexpr int GreekLetterCount = 24;
extern const std::array<GreekLetter, GreekLetterCount> GreekLetters;  // [k - 1] is letter k

// GreekLetterOfSymbol: the index (1-24) of the letter a Symbol character stands for; 0 for none.
int GreekLetterOfSymbol(char symbol);

}  // namespace qv
