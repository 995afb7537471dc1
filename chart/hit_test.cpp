// chart/hit_test.cpp - objects under the pointer (hit_test.h).
#include "chart/hit_test.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "chart/magnitudes.h"
#include "chart/sky_objects.h"
#include "objects/store.h"

namespace qv {
namespace {

// The pixel radius of the symbol drawn for a placed object: deep-sky symbols never shrink below
// their smallest drawn size, stars take the size of their magnitude.
int SymbolRadius(const ObjectRecord& object, const SkyPlace& place) {
  if (IsDeepSkyKind(object.kind))
    return std::max(place.radius, object.kind == KindDiffuseNebula ? 4 : 3);
  if (place.radius > 0) return place.radius;
  return StarRadius(CurrentStarScale(), CurrentMagnitude(object));
}

// The regions the last drawing drew from, in store order; none is read from disk.
std::vector<DatabaseFile*> DrawnRegions() {
  std::vector<DatabaseFile*> regions;
  const uint32_t drawing = Store().redrawCounter;
  for (const std::unique_ptr<DatabaseFile>& file : Store().files)
    if (file && file->table && file->lastUsed == drawing) regions.push_back(file.get());
  return regions;
}

// The first object hit in the region from slot index `from` (0-based) on.
ObjectId FindInRegion(const ChartOptions& options, const DatabaseFile& region, size_t from, int x,
                      int y, int tolerance) {
  const RecordTable& table = *region.table;
  for (size_t k = from; k < table.size(); ++k) {
    const ObjectRecord* object = table[k].get();
    if (object && HitTestObject(options, *object, x, y, tolerance)) return object->id;
  }
  return 0;
}

}  // namespace

bool HitTestObject(const ChartOptions& options, const ObjectRecord& object, int x, int y,
                   int tolerance) {
  if (!IsSkyObjectKind(object.kind) && !IsSolarSystemKind(object.kind)) return false;
  const SkyPlace place = PlaceSkyObject(options, object);
  if (!place.visible) return false;
  const int64_t r = SymbolRadius(object, place) + tolerance;
  const int64_t dx = x - place.x, dy = y - place.y;
  switch (object.kind) {
    case KindDiffuseNebula:
      return std::abs(dx) + std::abs(dy) <= r;
    case KindGalaxy:
      return dx * dx + 4 * dy * dy <= r * r;
    default:
      return dx * dx + dy * dy <= r * r;
  }
}

ObjectId FindObjectAt(const ChartOptions& options, int x, int y, int tolerance, ObjectId selected) {
  const std::vector<DatabaseFile*> regions = DrawnRegions();
  // After the selected object: the rest of its region, then the regions that follow it.
  auto next = regions.begin();
  if (selected != 0) {
    next = std::find_if(regions.begin(), regions.end(),
                        [&](const DatabaseFile* f) { return f->fileId == FileIdOf(selected); });
    if (next != regions.end()) {
      if (ObjectId hit = FindInRegion(options, **next, IndexOf(selected), x, y, tolerance))
        return hit;
      ++next;
    } else {
      next = std::find_if(regions.begin(), regions.end(),
                          [&](const DatabaseFile* f) { return f->fileId > FileIdOf(selected); });
    }
    for (auto it = next; it != regions.end(); ++it)
      if (ObjectId hit = FindInRegion(options, **it, 0, x, y, tolerance)) return hit;
  }
  for (const DatabaseFile* region : regions)
    if (ObjectId hit = FindInRegion(options, *region, 0, x, y, tolerance)) return hit;
  return 0;
}

}  // namespace qv
