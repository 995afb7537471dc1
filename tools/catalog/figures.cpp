// tools/catalog/figures.cpp - constellation figures (nearest-star matching) and boundaries.
#include "tools/catalog/figures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

namespace qv {

namespace {

constexpr double DegToRadExact = 0.017453292519943295;
constexpr double SameDistanceDeg = 1e-6;  // two stars this close to equal distance tie

std::string LowerAscii(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Preference of a designation for naming a figure's star: Bayer, Flamsteed, HD, the rest.
int DesignationPreference(const std::string& part) {
  if (part[0] == '$') return 0;
  if (part[0] >= '1' && part[0] <= '9') return 1;
  if (part.compare(0, 2, "HD") == 0) return 2;
  return 3;
}

struct FigureDraft {
  FigureLine line;
  std::string constellation;
  SkyPosition start;
};

// A vertex as the star it stands for and that star's name for the importer.
struct VertexStar {
  const SkyEntry* star = nullptr;
  std::string designation;
};

VertexStar MatchVertex(SkyPosition vertex, const StarIndex& stars, const NameCounts& names) {
  const SkyEntry* star = NearestStar(stars, vertex, FigureVertexToleranceDeg);
  if (!star) return {};
  std::string designation = UniqueDesignation(*star, names);
  if (designation.empty()) return {};
  return {star, std::move(designation)};
}

void AddLabels(std::vector<FigureDraft>& drafts,
               const std::vector<PackageConstellation>& constellations, FigureCounts& counts) {
  for (const PackageConstellation& c : constellations) {
    FigureDraft* best = nullptr;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (FigureDraft& d : drafts) {
      if (d.constellation != c.abbreviation || !d.line.label.empty()) continue;
      const double distance = AngularSeparationDeg(d.start, c.labelPosition);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = &d;
      }
    }
    if (!best) {
      ++counts.unlabelled;
      continue;
    }
    best->line.label = c.name;
    ++counts.labels;
  }
}

}  // namespace

double AngularSeparationDeg(SkyPosition a, SkyPosition b) {
  // Haversine form: exact for the tiny separations of vertex matching.
  const double d1 = a.decDeg * DegToRadExact, d2 = b.decDeg * DegToRadExact;
  const double sinDd = std::sin((d2 - d1) / 2);
  const double sinDa = std::sin((b.raDeg - a.raDeg) * DegToRadExact / 2);
  const double h = sinDd * sinDd + std::cos(d1) * std::cos(d2) * sinDa * sinDa;
  return 2 * std::asin(std::sqrt(std::min(1.0, h))) / DegToRadExact;
}

StarIndex BuildStarIndex(const std::vector<SkyEntry>& stars) {
  StarIndex index;
  index.byDeclination.reserve(stars.size());
  for (const SkyEntry& s : stars) index.byDeclination.push_back(&s);
  std::sort(
      index.byDeclination.begin(), index.byDeclination.end(),
      [](const SkyEntry* a, const SkyEntry* b) { return a->position.decDeg < b->position.decDeg; });
  return index;
}

const SkyEntry* NearestStar(const StarIndex& index, SkyPosition position, double toleranceDeg) {
  const auto& v = index.byDeclination;
  auto it =
      std::lower_bound(v.begin(), v.end(), position.decDeg - toleranceDeg,
                       [](const SkyEntry* s, double dec) { return s->position.decDeg < dec; });
  const SkyEntry* best = nullptr;
  double bestDistance = toleranceDeg;
  for (; it != v.end() && (*it)->position.decDeg <= position.decDeg + toleranceDeg; ++it) {
    const double distance = AngularSeparationDeg(position, (*it)->position);
    if (distance > toleranceDeg) continue;
    const bool tie = best && std::fabs(distance - bestDistance) < SameDistanceDeg;
    const bool brighter = tie && (*it)->magnitude.value_or(99) < best->magnitude.value_or(99);
    if (!best || (!tie && distance < bestDistance) || brighter) {
      best = *it;
      bestDistance = distance;
    }
  }
  return best;
}

void CountNameParts(const std::vector<SkyEntry>& entries, NameCounts& counts) {
  for (const SkyEntry& e : entries) {
    for (const std::string& part : e.names) ++counts[LowerAscii(part)];
  }
}

std::string UniqueDesignation(const SkyEntry& star, const NameCounts& counts) {
  const std::string* best = nullptr;
  for (const std::string& part : star.names) {
    const auto it = counts.find(LowerAscii(part));
    if (part.empty() || it == counts.end() || it->second != 1) continue;
    if (!best || DesignationPreference(part) < DesignationPreference(*best)) best = &part;
  }
  return best ? *best : std::string();
}

std::vector<FigureLine> BuildFigureLines(const std::vector<PackagePolylines>& figures,
                                         const std::vector<PackageConstellation>& constellations,
                                         const StarIndex& stars, const NameCounts& names,
                                         FigureCounts& counts) {
  std::vector<FigureDraft> drafts;
  std::set<std::pair<const SkyEntry*, const SkyEntry*>> drawn;
  for (const PackagePolylines& figure : figures) {
    for (const std::vector<SkyPosition>& polyline : figure.polylines) {
      VertexStar previous = MatchVertex(polyline[0], stars, names);
      if (!previous.star) ++counts.unmatchedVertices;
      for (size_t i = 1; i < polyline.size(); ++i) {
        VertexStar current = MatchVertex(polyline[i], stars, names);
        if (!current.star) ++counts.unmatchedVertices;
        if (previous.star && current.star && previous.star != current.star &&
            drawn.insert(std::minmax(previous.star, current.star)).second) {
          drafts.push_back({{previous.designation, current.designation, ""},
                            figure.id,
                            previous.star->position});
        }
        previous = std::move(current);
      }
    }
  }
  AddLabels(drafts, constellations, counts);
  std::vector<FigureLine> lines;
  lines.reserve(drafts.size());
  for (FigureDraft& d : drafts) lines.push_back(std::move(d.line));
  counts.lines = static_cast<int>(lines.size());
  return lines;
}

std::vector<BoundaryLine> BuildBoundaryLines(const std::vector<PackagePolylines>& borders) {
  std::vector<BoundaryLine> lines;
  for (const PackagePolylines& border : borders) {
    for (const std::vector<SkyPosition>& polyline : border.polylines) {
      for (size_t i = 1; i < polyline.size(); ++i) {
        const SkyPosition a = polyline[i - 1], b = polyline[i];
        if (a.raDeg != b.raDeg || a.decDeg != b.decDeg) lines.push_back({a, b});
      }
    }
  }
  return lines;
}

}  // namespace qv
