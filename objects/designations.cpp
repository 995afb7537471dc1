// objects/designations.cpp - designation rules, packing and text forms of the catalogs.
#include "objects/designations.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "objects/constellations.h"
#include "objects/textscan.h"

namespace qv {
namespace {

// One field of a designation read with %ld and checked against its range.
bool ReadInRange(TextScanner& s, long min, long max, long& out) {
  return s.ReadLong(out) && out >= min && out <= max;
}

// The sign character of BD, CoD, CPD and PK designations. Only "+" and "-" are signs: any
// other character would silently turn a northern zone into a southern one.
bool ReadSign(TextScanner& s, long& plus) {
  char c = 0;
  if (!s.ReadChar(c) || (c != '+' && c != '-')) return false;
  plus = c == '+' ? 1 : 0;
  return true;
}

bool ParseGsc(TextScanner& s, uint32_t& out) {  // "%ld-%ld"
  long region = 0, number = 0;
  char dash = 0;
  if (!ReadInRange(s, 1, 9537, region) || !s.ReadChar(dash) || dash != '-' ||
      !ReadInRange(s, 1, 9999, number)) {
    return false;
  }
  out = static_cast<uint32_t>(region * 10000 + number);
  return true;
}

constexpr char BdSuffixLetters[] = "abnps";  // suffixes 1-5

int BdSuffix(char c) {
  for (int k = 0; k < 5; ++k) {
    if (FoldCase(c) == BdSuffixLetters[k]) return k + 1;
  }
  return 0;
}

// Sign and zone of the Durchmusterung catalogs: "%c%d".
bool ReadZone(TextScanner& s, long& plus, long& zone) {
  return ReadSign(s, plus) && ReadInRange(s, 0, 89, zone);
}

bool ParseBd(TextScanner& s, uint32_t& out) {  // "%c%d%ld%c"
  long plus = 0, zone = 0, number = 0;
  if (!ReadZone(s, plus, zone) || !ReadInRange(s, 1, 9999, number)) return false;
  char suffix = 0;
  const int suffixValue = s.ReadChar(suffix) ? BdSuffix(suffix) : 0;
  out = static_cast<uint32_t>(plus * 10000000 + zone * 100000 + number * 10 + suffixValue);
  return true;
}

bool ParseCod(TextScanner& s, uint32_t& out) {  // "%c%d%ld", CoD and CPD
  long plus = 0, zone = 0, number = 0;
  if (!ReadZone(s, plus, zone) || !ReadInRange(s, 1, 99999, number)) return false;
  out = static_cast<uint32_t>(plus * 10000000 + zone * 100000 + number);
  return true;
}

bool ParsePk(TextScanner& s, uint32_t& out) {  // "%ld%c%ld%c%ld"
  long lon = 0, plus = 0, lat = 0, sequence = 0;
  char separator = 0;
  if (!ReadInRange(s, 0, 359, lon) || !ReadSign(s, plus) || !ReadInRange(s, 0, 89, lat) ||
      !s.ReadChar(separator) || !ReadInRange(s, 1, 9, sequence)) {
    return false;
  }
  out = static_cast<uint32_t>(lon * 10000 + plus * 1000 + lat * 10 + sequence);
  return true;
}

bool ParsePng(TextScanner& s, uint32_t& out) {  // "%ld%c%ld%c%ld%c%ld"
  long lon = 0, lonTenths = 0, plus = 0, lat = 0, latTenths = 0;
  char separator = 0;
  if (!ReadInRange(s, 0, 359, lon) || !s.ReadChar(separator) || !ReadInRange(s, 0, 9, lonTenths) ||
      !ReadSign(s, plus) || !ReadInRange(s, 0, 89, lat) || !s.ReadChar(separator) ||
      !ReadInRange(s, 0, 9, latTenths)) {
    return false;
  }
  out =
      static_cast<uint32_t>(lon * 100000 + lonTenths * 10000 + plus * 1000 + lat * 10 + latTenths);
  return true;
}

bool ParseNgc(TextScanner& s, uint32_t& out) {  // "%ld%c", NGC and IC
  long number = 0;
  if (!ReadInRange(s, 1, 9999, number)) return false;
  char c = 0;
  int letter = 0;
  if (s.ReadChar(c) && FoldCase(c) >= 'a' && FoldCase(c) <= 'i') letter = FoldCase(c) - 'a' + 1;
  out = static_cast<uint32_t>(number * 10 + letter);
  return true;
}

// A prefixed catalog: either one number within [min, max] or a parser of its own.
struct PrefixRule {
  std::string_view prefix;
  int code;
  long min, max;
  bool (*parse)(TextScanner&, uint32_t&);
};

constexpr PrefixRule StarRules[] = {
    {"GSC", CatalogGSC, 0, 0, ParseGsc},   {"BD", CatalogBD, 0, 0, ParseBd},
    {"CoD", CatalogCoD, 0, 0, ParseCod},   {"CPD", CatalogCPD, 0, 0, ParseCod},
    {"HD", CatalogHD, 1, 999999, nullptr}, {"SAO", CatalogSAO, 1, 999998, nullptr},
    {"HR", CatalogHR, 1, 9999, nullptr},
};

constexpr PrefixRule DeepSkyRules[] = {
    {"UGCA", CatalogUGCA, 1, 99998, nullptr}, {"UGC", CatalogUGC, 1, 99999, nullptr},
    {"PGC", CatalogPGC, 1, 99999, nullptr},   {"PK", CatalogPK, 0, 0, ParsePk},
    {"PNG", CatalogPNG, 0, 0, ParsePng},      {"NGC", CatalogNGC, 0, 0, ParseNgc},
    {"IC", CatalogIC, 0, 0, ParseNgc},        {"M", CatalogMessier, 1, 110, nullptr},
};

// ApplyPrefixRules: the first rule whose prefix the part starts with and whose fields read.
// A rule that does not read passes the part on ("BD Cyg" is no Durchmusterung number but a
// variable star).
bool ApplyPrefixRules(std::span<const PrefixRule> rules, std::string_view part,
                      CatalogNumber& out) {
  for (const PrefixRule& rule : rules) {
    if (!part.starts_with(rule.prefix)) continue;
    TextScanner s(part, rule.prefix.size());
    uint32_t number = 0;
    long value = 0;
    if (rule.parse ? !rule.parse(s, number) : !ReadInRange(s, rule.min, rule.max, value)) continue;
    if (!rule.parse) number = static_cast<uint32_t>(value);
    out = MakeCatalogNumber(rule.code, number);
    return true;
  }
  return false;
}

// The two-letter variable-star names in sequence order: RR..RZ, SS..SZ, ..., ZZ (10-54), then
// AA..AZ, BB..BZ, ..., QZ without the letter J (55-334).
const std::vector<std::string>& TwoLetterVariableNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (char first = 'R'; first <= 'Z'; ++first) {
      for (char second = first; second <= 'Z'; ++second) list.push_back({first, second});
    }
    for (char first = 'A'; first <= 'Q'; ++first) {
      if (first == 'J') continue;
      for (char second = first; second <= 'Z'; ++second) {
        if (second != 'J') list.push_back({first, second});
      }
    }
    return list;
  }();
  return names;
}

constexpr long FirstTwoLetterSequence = 10;
constexpr long FirstNumberedVariable = 335;  // V335
constexpr long LastPackedSequence = 999999;  // sequence * 100 must stay below the code scale

// VariableStarSequence: the sequence number of a variable-star word, 0 when it is none.
long VariableStarSequence(std::string_view word) {
  if (word.size() == 1 && word[0] >= 'R' && word[0] <= 'Z') return word[0] - 'R' + 1;
  if (word.size() == 2) {
    const auto& names = TwoLetterVariableNames();
    const auto it = std::find(names.begin(), names.end(), word);
    if (it != names.end()) return FirstTwoLetterSequence + (it - names.begin());
  }
  if (word.size() > 1 && word[0] == 'V') {
    TextScanner s(word, 1);
    long n = 0;
    if (s.ReadLong(n) && n >= FirstNumberedVariable && n <= LastPackedSequence) return n;
  }
  return 0;
}

std::string VariableStarLetters(long sequence) {
  if (sequence >= 1 && sequence < FirstTwoLetterSequence) {
    return std::string(1, static_cast<char>('R' + sequence - 1));
  }
  if (sequence >= FirstTwoLetterSequence && sequence < FirstNumberedVariable) {
    return TwoLetterVariableNames()[static_cast<size_t>(sequence - FirstTwoLetterSequence)];
  }
  return "V" + std::to_string(sequence);
}

// Flamsteed ("61 Cyg") and variable-star ("RR Lyr") designations: a word and a constellation.
bool ParseWordAndConstellation(std::string_view part, CatalogNumber& out) {
  TextScanner s(part);
  std::string_view word, rest;
  if (!s.ReadWord(word) || !s.ReadWord(rest)) return false;
  const int constellation = FindConstellation(rest);
  if (constellation == 0) return false;
  if (word[0] >= '1' && word[0] <= '9') {
    TextScanner digits(word);
    long number = 0;
    if (!ReadInRange(digits, 1, LastPackedSequence, number)) return false;
    out = MakeCatalogNumber(CatalogFlamsteed, static_cast<uint32_t>(number * 100 + constellation));
    return true;
  }
  if (word[0] < 'A' || word[0] > 'Z') return false;
  const long sequence = VariableStarSequence(word);
  if (sequence == 0) return false;
  out =
      MakeCatalogNumber(CatalogVariableStar, static_cast<uint32_t>(sequence * 100 + constellation));
  return true;
}

// Bayer: "$", the Greek letter's Symbol character, an optional superscript digit 1-9, a blank
// and the constellation ("$a And", "$a2 Cap").
bool ParseBayer(std::string_view part, CatalogNumber& out) {
  if (part.size() < 2) return false;
  const int letter = GreekLetterOfSymbol(part[1]);
  if (letter == 0) return false;
  size_t pos = 2;
  int digit = 0;
  if (pos < part.size() && part[pos] >= '1' && part[pos] <= '9') digit = part[pos++] - '0';
  if (pos >= part.size() || !IsBlank(part[pos])) return false;
  TextScanner s(part, pos);
  s.SkipBlanks();
  const int constellation = FindConstellation(s.Rest());
  if (constellation == 0) return false;
  out = MakeCatalogNumber(CatalogBayer,
                          static_cast<uint32_t>(letter * 1000 + digit * 100 + constellation));
  return true;
}

const char* ConstellationAbbreviation(uint32_t number) {
  return number >= 1 && number <= ConstellationCount ? Constellations[number - 1].abbreviation : "";
}

char SignCharacter(uint32_t plus) { return plus == 1 ? '+' : '-'; }

// The text of one number; a damaged field (a letter or suffix out of range) renders as none.
std::string Render(int code, uint32_t n) {
  char text[64] = "";
  const auto print = [&text](const char* format, auto... args) {
    std::snprintf(text, sizeof text, format, args...);
  };
  switch (code) {
    case CatalogBayer: {
      const uint32_t letter = n / 1000, digit = n / 100 % 10;
      const char symbol =
          letter >= 1 && letter <= GreekLetterCount ? GreekLetters[letter - 1].symbol : '?';
      const char* abbreviation = ConstellationAbbreviation(n % 100);
      if (digit == 0)
        print("$%c %s", symbol, abbreviation);
      else
        print("$%c%u %s", symbol, digit, abbreviation);
      break;
    }
    case CatalogVariableStar:
      print("%s %s", VariableStarLetters(n / 100).c_str(), ConstellationAbbreviation(n % 100));
      break;
    case CatalogFlamsteed:
      print("%u %s", n / 100, ConstellationAbbreviation(n % 100));
      break;
    case CatalogHR:
      print("HR%u", n);
      break;
    case CatalogHD:
      print("HD%u", n);
      break;
    case CatalogSAO:
      print("SAO%u", n);
      break;
    case CatalogBD: {
      const uint32_t suffix = n % 10;
      const char sign = SignCharacter(n / 10000000);
      if (suffix >= 1 && suffix <= 5) {
        print("BD%c%02u %u%c", sign, n / 100000 % 100, n / 10 % 10000, BdSuffixLetters[suffix - 1]);
      } else {
        print("BD%c%02u %u", sign, n / 100000 % 100, n / 10 % 10000);
      }
      break;
    }
    case CatalogCoD:
    case CatalogCPD:
      print("%s%c%02u %u", code == CatalogCoD ? "CoD" : "CPD", SignCharacter(n / 10000000),
            n / 100000 % 100, n % 100000);
      break;
    case CatalogGSC:
      print("GSC%04u-%04u", n / 10000, n % 10000);
      break;
    case CatalogMessier:
      print("M%u", n);
      break;
    case CatalogNGC:
    case CatalogIC: {
      const char* prefix = code == CatalogNGC ? "NGC" : "IC";
      const uint32_t letter = n % 10;
      if (letter == 0)
        print("%s%u", prefix, n / 10);
      else
        print("%s%u%c", prefix, n / 10, static_cast<char>(64 + letter));
      break;
    }
    case CatalogUGC:
      print("UGC%u", n);
      break;
    case CatalogUGCA:
      print("UGCA%u", n);
      break;
    case CatalogPK:
      print("PK%u%c%02u %u", n / 10000, SignCharacter(n / 1000 % 10), n / 10 % 100, n % 10);
      break;
    case CatalogPNG: {
      // Longitude and latitude in tenths, printed as value / 10 with one decimal; integer
      // arithmetic keeps the text free of the locale's decimal mark.
      const uint32_t lon = n / 10000, lat = n % 1000;
      print("PNG%03u.%u%c%02u.%u", lon / 10, lon % 10, SignCharacter(n / 1000 % 10), lat / 10,
            lat % 10);
      break;
    }
    case CatalogPGC:
      print("PGC%u", n);
      break;
    default:
      break;
  }
  return text;
}

}  // namespace

bool ParseStarDesignation(std::string_view part, CatalogNumber& out) {
  if (ApplyPrefixRules(StarRules, part, out)) return true;
  if (part.empty()) return false;
  return part[0] == '$' ? ParseBayer(part, out) : ParseWordAndConstellation(part, out);
}

bool ParseDeepSkyDesignation(std::string_view part, CatalogNumber& out) {
  return ApplyPrefixRules(DeepSkyRules, part, out);
}

std::string RenderDesignation(CatalogNumber number) {
  return Render(CatalogCodeOf(number), NumberInCatalog(number));
}

std::string RenderDesignations(const CatalogNumbers& numbers) {
  std::string joined;
  for (CatalogNumber number : numbers) {
    const std::string text = RenderDesignation(number);
    if (text.empty()) continue;
    if (!joined.empty()) joined += "; ";
    joined += text;
  }
  return joined;
}

std::vector<std::string_view> SplitNameParts(std::string_view text, size_t maxParts) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= text.size() && parts.size() < maxParts) {
    size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    TextScanner s(text.substr(start, end - start));
    s.SkipBlanks();
    if (!s.AtEnd()) parts.push_back(s.Rest());
    start = end + 1;
  }
  return parts;
}

ParsedName ParseNameText(std::string_view text, bool deepSky) {
  ParsedName parsed;
  for (std::string_view part : SplitNameParts(text, text.size() + 1)) {
    CatalogNumber number = 0;
    const bool ok =
        deepSky ? ParseDeepSkyDesignation(part, number) : ParseStarDesignation(part, number);
    if (!ok) {
      parsed.complete = false;
    } else if (parsed.numbers.size() < MaxCatalogNumbers) {
      parsed.numbers.push_back(number);
    } else {
      parsed.complete = false;  // a ninth designation survives only in the stored text
    }
  }
  std::stable_sort(
      parsed.numbers.begin(), parsed.numbers.end(),
      [](CatalogNumber a, CatalogNumber b) { return CatalogCodeOf(a) < CatalogCodeOf(b); });
  return parsed;
}

}  // namespace qv
