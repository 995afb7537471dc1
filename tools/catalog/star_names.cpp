// tools/catalog/star_names.cpp - kinds and name texts of the package's stars.
#include "tools/catalog/star_names.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "objects/constellations.h"

namespace qv {

namespace {

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// A superscript digit is 1-9; the rest of the letter text must be empty or that digit.
bool IsSuperscript(std::string_view rest) {
  return rest.empty() || (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '9');
}

bool KnownConstellation(const std::string& constellation) {
  for (const Constellation& c : Constellations) {
    if (constellation == c.abbreviation) return true;
  }
  return false;
}

}  // namespace

std::string BayerDesignation(const std::string& letter, const std::string& constellation) {
  if (letter.empty() || !KnownConstellation(constellation)) return {};
  const std::string_view text(letter);
  for (const GreekLetter& g : GreekLetters) {
    const std::string_view utf8(g.utf8);
    if (text.substr(0, utf8.size()) != utf8) continue;
    const std::string_view rest = text.substr(utf8.size());
    if (!IsSuperscript(rest)) return {};
    return "$" + std::string(1, g.symbol) + std::string(rest) + " " + constellation;
  }
  // Latin letters (a-z, A-Q) of the southern catalogs are no Bayer numbers of the program; they
  // stay free text so the star can still be found by them.
  if (std::isalpha(static_cast<unsigned char>(text[0])) && IsSuperscript(text.substr(1))) {
    return letter + " " + constellation;
  }
  return {};
}

std::string FlamsteedDesignation(const std::string& number, const std::string& constellation) {
  if (!AllDigits(number) || number[0] == '0' || number.size() > 3) return {};
  if (!KnownConstellation(constellation)) return {};
  return number + " " + constellation;
}

std::string VariableDesignation(const std::string& name, const std::string& constellation) {
  if (name.empty() || !KnownConstellation(constellation)) return {};
  if (name[0] == 'V' && AllDigits(name.substr(1))) {
    const long n = std::strtol(name.c_str() + 1, nullptr, 10);
    return n > 0 ? "V" + std::to_string(n) + " " + constellation : std::string();
  }
  if (name.size() > 2) return {};
  for (char c : name) {
    if (!std::isupper(static_cast<unsigned char>(c))) return {};
  }
  return name + " " + constellation;
}

std::string HdDesignation(const std::string& hd) {
  if (hd.compare(0, 2, "HD") != 0) return {};
  std::string digits;
  for (size_t i = 2; i < hd.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(hd[i]))) {
      digits += hd[i];
    } else if (!digits.empty()) {
      return {};  // "HD 1234 B" and the like: not a plain HD number
    }
  }
  if (digits.empty() || digits.size() > 6) return {};
  const long n = std::strtol(digits.c_str(), nullptr, 10);
  return n >= 1 && n <= 999999 ? "HD" + std::to_string(n) : std::string();
}

std::string CleanName(const std::string& name) {
  std::string out;
  for (char c : name) {
    out += (c == ';' || c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  }
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = out.find_last_not_of(' ');
  return out.substr(first, last - first + 1);
}

int StarKind(const PackageStarNames& names) {
  const std::string& gl = names.gliese;
  const bool multiple = gl.size() >= 2 && gl.back() >= 'A' && gl.back() <= 'E' &&
                        std::isdigit(static_cast<unsigned char>(gl[gl.size() - 2]));
  const bool variable = !names.variable.empty();
  if (multiple && variable) return KindMultipleVariableStar;
  if (multiple) return KindMultipleStar;
  return variable ? KindVariableStar : KindSingleStar;
}

std::vector<std::string> StarNameParts(long hip, const PackageStarNames* names) {
  std::vector<std::string> parts;
  if (names) {
    const std::string& c = names->constellation;
    for (const std::string& part :
         {CleanName(names->name), BayerDesignation(names->bayer, c),
          FlamsteedDesignation(names->flamsteed, c), VariableDesignation(names->variable, c),
          HdDesignation(names->hd)}) {
      if (!part.empty()) parts.push_back(part);
    }
  }
  if (parts.empty()) parts.push_back("HIP " + std::to_string(hip));
  return parts;
}

std::vector<SkyEntry> BuildStars(const std::vector<PackageStar>& stars,
                                 const std::map<long, PackageStarNames>& names) {
  std::vector<SkyEntry> entries;
  entries.reserve(stars.size());
  for (const PackageStar& star : stars) {
    const auto it = names.find(star.hip);
    const PackageStarNames* starNames = it == names.end() ? nullptr : &it->second;
    SkyEntry entry;
    entry.kind = starNames ? StarKind(*starNames) : KindSingleStar;
    entry.position = star.position;
    entry.magnitude = star.magnitude;
    entry.colorIndex = star.colorIndex;
    entry.names = StarNameParts(star.hip, starNames);
    if (starNames) {
      const std::string hd = HdDesignation(starNames->hd);
      if (!hd.empty()) entry.hd = std::strtol(hd.c_str() + 2, nullptr, 10);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace qv
