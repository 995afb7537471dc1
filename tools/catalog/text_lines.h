// tools/catalog/text_lines.h - lines of the program's object text files: tab-separated fields,
// "S" for a star or deep-sky object, "C1" for a figure line between two named objects, "C2" for a
// boundary segment between two positions. Angles are written as "hh mm ss.sss" (right ascension)
// and "+dd mm ss.ss" (declination), the sexagesimal text the importer reads.
#pragma once

#include <string>
#include <vector>

#include "tools/catalog/package.h"
#include "tools/catalog/sky_entry.h"

namespace qv {

constexpr size_t MaxNameTextBytes = 255;  // the importer keeps at most this much of a name text

std::string FormatRightAscension(double raDeg);  // "06 45 08.917"; 24h wraps to 00h
std::string FormatDeclination(double decDeg);    // "-16 42 58.02"

// JoinNameParts: parts joined with "; ", whole parts only, at most MaxNameTextBytes bytes (a
// single part longer than that is cut at a UTF-8 character boundary).
std::string JoinNameParts(const std::vector<std::string>& parts);

std::string SkyObjectLine(const SkyEntry& entry);
std::string FigureLineText(const FigureLine& line);
std::string BoundaryLineText(const BoundaryLine& line);

// MilkyWayText: the Milky Way file the chart reads (objects/milky_way.h describes it).
std::string MilkyWayText(const std::vector<PackageMilkyWayRing>& rings);

}  // namespace qv
