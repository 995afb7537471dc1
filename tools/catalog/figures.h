// tools/catalog/figures.h - constellation figures and boundaries as the program's line records.
// A figure vertex of the package is a star's position; the converter finds the star nearest to it
// and names it by a designation no other object carries, which the importer's exact name match
// then resolves to that one star.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "tools/catalog/package.h"
#include "tools/catalog/sky_entry.h"

namespace qv {

// Figure vertices lie on Hipparcos positions given to 1e-4 degree; a star farther than this is
// not the vertex's star.
constexpr double FigureVertexToleranceDeg = 0.05;

// Stars sorted by declination, so a vertex looks only at a thin band of them.
struct StarIndex {
  std::vector<const SkyEntry*> byDeclination;
};
StarIndex BuildStarIndex(const std::vector<SkyEntry>& stars);

// NearestStar: the star nearest to position within toleranceDeg (the brighter of two at the same
// distance), or nullptr.
const SkyEntry* NearestStar(const StarIndex& index, SkyPosition position, double toleranceDeg);

// AngularSeparationDeg: great-circle distance of two positions.
double AngularSeparationDeg(SkyPosition a, SkyPosition b);

// How often each name part occurs among all objects, compared without regard to ASCII case as
// the importer's name match compares.
using NameCounts = std::unordered_map<std::string, int>;
void CountNameParts(const std::vector<SkyEntry>& entries, NameCounts& counts);

// UniqueDesignation: the star's name part that no other object carries, preferring the Bayer,
// then Flamsteed, then HD designation, then the others in order; "" when none is unique.
std::string UniqueDesignation(const SkyEntry& star, const NameCounts& counts);

struct FigureCounts {
  int lines = 0;
  int labels = 0;
  int unmatchedVertices = 0;  // no star near the vertex, or none with a unique designation
  int unlabelled = 0;         // constellations without any figure line
};

// BuildFigureLines: one line per distinct pair of consecutive vertices, in the package's order (so
// chains draw as polylines), and one line of each constellation's figure labelled with its name:
// the line starting nearest to the package's label position.
std::vector<FigureLine> BuildFigureLines(const std::vector<PackagePolylines>& figures,
                                         const std::vector<PackageConstellation>& constellations,
                                         const StarIndex& stars, const NameCounts& names,
                                         FigureCounts& counts);

// BuildBoundaryLines: one segment per pair of consecutive boundary vertices.
std::vector<BoundaryLine> BuildBoundaryLines(const std::vector<PackagePolylines>& borders);

}  // namespace qv
