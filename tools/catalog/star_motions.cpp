// tools/catalog/star_motions.cpp - matching the package's stars with the star-data files.
#include "tools/catalog/star_motions.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "tools/catalog/figures.h"

namespace qv {

namespace {

constexpr double BrightMagnitude = 8.0;
constexpr double ArcsecPerDegree = 3600.0;

struct Candidate {
  SkyPosition position;  // epoch 2000.0
  const DataFileStar* star;
};

// Candidates sorted by declination, so a star looks only at a thin band of them.
struct CandidateIndex {
  std::vector<Candidate> byDeclination;
  std::unordered_multimap<long, const Candidate*> byHd;
};

CandidateIndex BuildIndex(const std::vector<DataFileStar>& data) {
  CandidateIndex index;
  index.byDeclination.reserve(data.size());
  for (const DataFileStar& star : data)
    index.byDeclination.push_back({PositionAtEpoch2000(star), &star});
  std::sort(
      index.byDeclination.begin(), index.byDeclination.end(),
      [](const Candidate& a, const Candidate& b) { return a.position.decDeg < b.position.decDeg; });
  for (const Candidate& c : index.byDeclination) {
    if (c.star->hd > 0) index.byHd.emplace(c.star->hd, &c);
  }
  return index;
}

double SeparationArcsec(SkyPosition a, SkyPosition b) {
  return AngularSeparationDeg(a, b) * ArcsecPerDegree;
}

const DataFileStar* MatchByHd(const CandidateIndex& index, const SkyEntry& entry) {
  if (entry.hd <= 0) return nullptr;
  const auto [first, last] = index.byHd.equal_range(entry.hd);
  const DataFileStar* best = nullptr;
  double bestArcsec = HdMatchRadiusArcsec;
  for (auto it = first; it != last; ++it) {
    const double arcsec = SeparationArcsec(entry.position, it->second->position);
    if (arcsec <= bestArcsec) {
      best = it->second->star;
      bestArcsec = arcsec;
    }
  }
  return best;
}

const DataFileStar* MatchByPosition(const CandidateIndex& index, const SkyEntry& entry) {
  const double band = MotionMatchRadiusArcsec / ArcsecPerDegree;
  const auto& v = index.byDeclination;
  auto it =
      std::lower_bound(v.begin(), v.end(), entry.position.decDeg - band,
                       [](const Candidate& c, double dec) { return c.position.decDeg < dec; });
  const DataFileStar* best = nullptr;
  double bestArcsec = MotionMatchRadiusArcsec;
  for (; it != v.end() && it->position.decDeg <= entry.position.decDeg + band; ++it) {
    if (!entry.magnitude ||
        std::fabs(it->star->magnitude - *entry.magnitude) > MotionMatchMagnitudes) {
      continue;
    }
    const double arcsec = SeparationArcsec(entry.position, it->position);
    if (arcsec <= bestArcsec) {
      best = it->star;
      bestArcsec = arcsec;
    }
  }
  return best;
}

StarMotion MotionOf(const DataFileStar& star) {
  StarMotion motion{star.raMotionMas, star.decMotionMas, std::nullopt};
  if (star.parallaxMas > 0) motion.parallaxMas = star.parallaxMas;
  return motion;
}

}  // namespace

void AddStarMotions(std::vector<SkyEntry>& stars, const std::vector<DataFileStar>& binary,
                    const std::vector<DataFileStar>& text, MotionMatchCounts& counts) {
  const CandidateIndex binaryIndex = BuildIndex(binary), textIndex = BuildIndex(text);
  for (SkyEntry& entry : stars) {
    const bool bright = entry.magnitude && *entry.magnitude < BrightMagnitude;
    counts.bright += bright;
    const DataFileStar* match = MatchByPosition(textIndex, entry);
    if (match) {
      ++counts.byText;
    } else if ((match = MatchByHd(binaryIndex, entry))) {
      ++counts.byHd;
    } else if ((match = MatchByPosition(binaryIndex, entry))) {
      ++counts.byPosition;
    } else {
      ++counts.unmatched;
      continue;
    }
    counts.brightMatched += bright;
    entry.motion = MotionOf(*match);
  }
}

}  // namespace qv
