// chart/surface_maps.cpp - the kept surface maps (see surface_maps.h): a list under one lock,
// searched by path; decoding happens outside the lock so a slow map does not hold up others.
#include "chart/surface_maps.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/result.h"

namespace qv {
namespace {

struct KeptMap {
  std::string path;
  FileStamp stamp;
  std::shared_ptr<const RgbPixels> pixels;  // null: the file is not a readable JPEG
  uint64_t lastUse = 0;
};

struct MapShelf {
  std::mutex lock;
  std::vector<KeptMap> maps;  // a few dozen bodies at most: a list is enough
  uint64_t useCounter = 0;
};

MapShelf& Shelf() {
  static MapShelf shelf;
  return shelf;
}

size_t BytesOf(const KeptMap& map) { return map.pixels ? map.pixels->rgb.size() : 0; }

size_t BytesHeld(const MapShelf& shelf) {
  size_t total = 0;
  for (const KeptMap& map : shelf.maps) total += BytesOf(map);
  return total;
}

// Drops the maps used longest ago until the pixels fit the budget; `keep` is never dropped.
void FitBudget(MapShelf& shelf, const std::string& keep) {
  while (BytesHeld(shelf) > SurfaceMapBudgetBytes) {
    auto oldest = shelf.maps.end();
    for (auto it = shelf.maps.begin(); it != shelf.maps.end(); ++it) {
      if (it->path != keep && (oldest == shelf.maps.end() || it->lastUse < oldest->lastUse))
        oldest = it;
    }
    if (oldest == shelf.maps.end()) return;
    shelf.maps.erase(oldest);
  }
}

std::shared_ptr<const RgbPixels> Decode(const std::string& path) {
  try {
    auto pixels = std::make_shared<RgbPixels>();
    if (ReadJPEG(path, *pixels) != ResultOk) return nullptr;
    return pixels;
  } catch (const std::bad_alloc&) {
    return nullptr;  // drawn as a grey globe, like any map that cannot be read
  }
}

}  // namespace

std::shared_ptr<const RgbPixels> DecodedSurfaceMap(std::string_view pathText) {
  const std::string path(pathText);
  FileStamp stamp;
  if (!StampOfFile(path, stamp)) return nullptr;
  MapShelf& shelf = Shelf();
  {
    std::lock_guard<std::mutex> guard(shelf.lock);
    for (KeptMap& map : shelf.maps) {
      if (map.path == path && map.stamp == stamp) {
        map.lastUse = ++shelf.useCounter;
        return map.pixels;
      }
    }
  }
  std::shared_ptr<const RgbPixels> pixels = Decode(path);
  std::lock_guard<std::mutex> guard(shelf.lock);
  try {
    std::erase_if(shelf.maps, [&path](const KeptMap& map) { return map.path == path; });
    shelf.maps.push_back({path, stamp, pixels, ++shelf.useCounter});
    FitBudget(shelf, path);
  } catch (const std::bad_alloc&) {
    // not kept: this drawing has its map, the next one reads it again
  }
  return pixels;
}

size_t SurfaceMapBytesHeld() {
  MapShelf& shelf = Shelf();
  std::lock_guard<std::mutex> guard(shelf.lock);
  return BytesHeld(shelf);
}

void ReleaseSurfaceMaps() {
  MapShelf& shelf = Shelf();
  std::lock_guard<std::mutex> guard(shelf.lock);
  shelf.maps.clear();
}

}  // namespace qv
