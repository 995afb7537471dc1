// tools/catalog/layers.cpp - magnitude layers and sky regions of the catalog files.
#include "tools/catalog/layers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

namespace qv {

namespace {

constexpr double DegToRadExact = 0.017453292519943295;

int BandCount(double bandDeg) {
  return std::max(1, static_cast<int>(std::lround(180.0 / bandDeg)));
}

int CellsInBand(int band, double bandDeg) {
  const double height = 180.0 / BandCount(bandDeg);
  const double middle = -90.0 + (band + 0.5) * height;
  return std::max(
      1, static_cast<int>(std::lround(360.0 * std::cos(middle * DegToRadExact) / bandDeg)));
}

size_t LayerOf(const SkyEntry& entry, const std::vector<MagnitudeLayer>& layers) {
  if (entry.magnitude) {
    for (size_t i = 0; i + 1 < layers.size(); ++i) {
      if (*entry.magnitude <= layers[i].faintestMagnitude) return i;
    }
  }
  return layers.size() - 1;
}

bool BrighterFirst(const SkyEntry* a, const SkyEntry* b) {
  if (a->magnitude.has_value() != b->magnitude.has_value()) return a->magnitude.has_value();
  return a->magnitude && *a->magnitude < *b->magnitude;
}

std::string FileName(const std::string& prefix, size_t layer, double bandDeg, int region,
                     size_t part) {
  std::string name = prefix + std::to_string(layer);
  if (bandDeg > 0) {
    char number[16];
    std::snprintf(number, sizeof number, "-%02d", region + 1);
    name += number;
  }
  if (part > 0) name += "-" + std::to_string(part + 1);
  return name + ".txt";
}

}  // namespace

int RegionCount(double bandDeg) {
  if (bandDeg <= 0) return 1;
  int count = 0;
  for (int b = 0; b < BandCount(bandDeg); ++b) count += CellsInBand(b, bandDeg);
  return count;
}

int RegionOf(SkyPosition position, double bandDeg) {
  if (bandDeg <= 0) return 0;
  const int bands = BandCount(bandDeg);
  const double height = 180.0 / bands;
  const int band = std::clamp(static_cast<int>((position.decDeg + 90.0) / height), 0, bands - 1);
  int first = 0;
  for (int b = 0; b < band; ++b) first += CellsInBand(b, bandDeg);
  const int cells = CellsInBand(band, bandDeg);
  const int cell = std::clamp(static_cast<int>(position.raDeg * cells / 360.0), 0, cells - 1);
  return first + cell;
}

std::vector<SkyFile> SplitIntoFiles(const std::vector<SkyEntry>& entries,
                                    const std::vector<MagnitudeLayer>& layers,
                                    const std::string& prefix) {
  std::vector<SkyFile> files;
  if (layers.empty()) return files;
  std::map<std::pair<size_t, int>, std::vector<const SkyEntry*>> groups;  // (layer, region)
  for (const SkyEntry& e : entries) {
    const size_t layer = LayerOf(e, layers);
    groups[{layer, RegionOf(e.position, layers[layer].bandDeg)}].push_back(&e);
  }
  for (auto& [key, group] : groups) {
    std::stable_sort(group.begin(), group.end(), BrighterFirst);
    const auto [layer, region] = key;
    for (size_t start = 0, part = 0; start < group.size(); start += MaxObjectsPerFile, ++part) {
      const size_t end = std::min(group.size(), start + MaxObjectsPerFile);
      files.push_back({FileName(prefix, layer, layers[layer].bandDeg, region, part),
                       layer,
                       {group.begin() + static_cast<std::ptrdiff_t>(start),
                        group.begin() + static_cast<std::ptrdiff_t>(end)}});
    }
  }
  return files;
}

}  // namespace qv
