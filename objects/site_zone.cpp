// objects/site_zone.cpp - sites and time zones (site_zone.h).
#include "objects/site_zone.h"

#include <cctype>
#include <cmath>
#include <string>

#include "objects/database.h"
#include "objects/store.h"

namespace qv {
namespace {

// Comparable: lower case, "_" as a space.
std::string Comparable(std::string text) {
  for (char& c : text)
    c = c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string ZoneCity(const std::string& id) {
  const size_t slash = id.rfind('/');
  return Comparable(slash == std::string::npos ? id : id.substr(slash + 1));
}

std::string SiteCity(const std::string& name) {
  return Comparable(name.substr(0, name.find(" (")));
}

}  // namespace

std::vector<ObjectId> SiteObjects() {
  std::vector<ObjectId> sites;
  for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
    const DatabaseFile* file = FileOfId(fileId);
    if (!file || file->summary.locationCount == 0) continue;
    for (ObjectId id = FirstObjectInFile(fileId); id != 0; id = NextObjectInFile(id)) {
      const ObjectRecord* object = ObjectOfId(id);
      if (object && IsLocationKind(object->kind)) sites.push_back(id);
    }
  }
  return sites;
}

int SiteForZone(const std::vector<const SiteRecord*>& sites, const SystemZone& zone) {
  const std::string city = ZoneCity(zone.id);
  int nearest = -1;
  double nearestHours = HUGE_VAL;
  for (size_t i = 0; i < sites.size(); ++i) {
    if (!city.empty() && SiteCity(sites[i]->name) == city) return static_cast<int>(i);
    const double apart = std::abs(sites[i]->timeZone * 24.0 - zone.standardHours);
    if (apart < nearestHours) {
      nearestHours = apart;
      nearest = static_cast<int>(i);
    }
  }
  return nearest;
}

}  // namespace qv
