// objects/designations.h - catalog designations: parsing designation text into packed
// CatalogNumbers and rendering them back.
//
// A CatalogNumber is catalog code * 100000000 + number within the catalog. Prefixes are
// compared case-sensitively and numbers skip blanks, so "HR 1234" and "HR1234" are the same.
// A text that matches no rule, or whose fields are out of range, gives no number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objects/records.h"

namespace qv {

enum CatalogCode : int {
  CatalogBayer = 1,         // letter * 1000 + superscript digit * 100 + constellation
  CatalogVariableStar = 2,  // sequence * 100 + constellation
  CatalogFlamsteed = 3,     // number * 100 + constellation
  CatalogHR = 4,
  CatalogHD = 5,
  CatalogSAO = 6,
  CatalogBD = 7,    // plus * 10000000 + zone * 100000 + number * 10 + suffix
  CatalogCoD = 8,   // plus * 10000000 + zone * 100000 + number
  CatalogCPD = 9,   // as CoD
  CatalogGSC = 10,  // region * 10000 + number
  CatalogMessier = 21,
  CatalogNGC = 22,  // number * 10 + letter (1-9 for A-I)
  CatalogIC = 23,   // as NGC
  CatalogUGC = 24,
  CatalogUGCA = 25,
  CatalogPK = 26,   // longitude * 10000 + plus * 1000 + latitude * 10 + sequence
  CatalogPNG = 27,  // longitude tenths * 10000 + plus * 1000 + latitude tenths
  CatalogPGC = 28,
};

constexpr uint32_t CatalogCodeScale = 100000000;
constexpr CatalogNumber MakeCatalogNumber(int code, uint32_t number) {
  return static_cast<uint32_t>(code) * CatalogCodeScale + number;
}
constexpr int CatalogCodeOf(CatalogNumber n) { return static_cast<int>(n / CatalogCodeScale); }
constexpr uint32_t NumberInCatalog(CatalogNumber n) { return n % CatalogCodeScale; }

// One designation by the rules of stars (GSC, BD, CoD, CPD, HD, SAO, HR, Flamsteed, variable
// star, Bayer - tried in that order) or of deep-sky objects (UGCA, UGC, PGC, PK, PNG, NGC, IC,
// Messier). False when the part is no designation.
bool ParseStarDesignation(std::string_view part, CatalogNumber& out);
bool ParseDeepSkyDesignation(std::string_view part, CatalogNumber& out);

// RenderDesignation: the text form ("HR1234", "$a And", "BD+05 1234a", "NGC1234B"); "" for a
// code that is no catalog.
std::string RenderDesignation(CatalogNumber number);
// RenderDesignations: every number rendered, joined with "; " (unknown codes left out).
std::string RenderDesignations(const CatalogNumbers& numbers);

// SplitNameParts: text split at ";", leading blanks of each part skipped, empty parts dropped;
// at most maxParts parts (the rest of the text is not looked at).
std::vector<std::string_view> SplitNameParts(std::string_view text, size_t maxParts);

// ParseNameText: every part of a name text tried as a designation (deep-sky rules when
// deepSky, else star rules). The numbers come sorted by catalog code; complete says that every
// part was a designation and all of them fit in the MaxCatalogNumbers a record keeps, so the
// text itself need not be stored.
struct ParsedName {
  std::vector<CatalogNumber> numbers;
  bool complete = true;
};
ParsedName ParseNameText(std::string_view text, bool deepSky);

}  // namespace qv
