// tools/catalog/star_names.h - stars of the package as the program's sky objects: their kinds and
// name texts. Designations are written in the text forms the program renders them in ("$a CMa",
// "9 CMa", "RR Lyr", "V822 Cyg", "HD48915"), so a designation matches whether the importer keeps
// the name text or rebuilds it from catalog numbers.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/catalog/package.h"
#include "tools/catalog/sky_entry.h"

namespace qv {

// The constellation of a designation must be one of the program's 88 abbreviations, spelled as
// there ("CMa"); the package leaves it empty or garbled for some stars.
//
// BayerDesignation: "$" + Symbol-font letter + optional superscript digit + " " + constellation
// for a Greek letter ("π1", "CMa" -> "$p1 CMa"); a Latin letter stays as it is ("b1 Cen").
// "" when the letter or the constellation is not usable.
std::string BayerDesignation(const std::string& letter, const std::string& constellation);
// FlamsteedDesignation: "9 CMa"; "" unless the number is 1-999 without a leading zero.
std::string FlamsteedDesignation(const std::string& number, const std::string& constellation);
// VariableDesignation: letters as given ("RR Lyr"), numbered names without leading zeros
// ("V0822" -> "V822 Cyg"); "" for anything else.
std::string VariableDesignation(const std::string& name, const std::string& constellation);
// HdDesignation: "HD48915" from the package's "HD 48915" (any spacing); "" unless 1-999999.
std::string HdDesignation(const std::string& hd);
// CleanName: a free-text name made safe for a name text: no ";" (the part separator), tabs or
// line breaks, no leading or trailing blanks.
std::string CleanName(const std::string& name);

// StarKind: variable when the package names a variable-star designation, multiple when its
// Gliese designation carries a component letter ("GJ 244A"), both, or single.
int StarKind(const PackageStarNames& names);

// StarNameParts: proper name, Bayer, Flamsteed, variable-star and HD designations, in that order;
// "HIP n" alone for a star with none of them, so every star can be found and labelled.
std::vector<std::string> StarNameParts(long hip, const PackageStarNames* names);

std::vector<SkyEntry> BuildStars(const std::vector<PackageStar>& stars,
                                 const std::map<long, PackageStarNames>& names);

}  // namespace qv
