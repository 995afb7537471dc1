// The site a first start chooses for the computer's time zone: by the zone's city, else by the
// nearest standard offset, the list's order breaking ties.
#include "objects/site_zone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

SiteRecord Site(const char* name, double zoneHours) {
  SiteRecord site;
  site.name = name;
  site.timeZone = static_cast<float>(zoneHours / 24.0);
  return site;
}

TEST(SiteForZone, TheZonesCityElseTheNearestOffsetElseNone) {
  const SiteRecord list[] = {Site("Greenwich (Royal Observatory)", 0),
                             Site("London", 0),
                             Site("Kitt Peak", -7),
                             Site("New York", -5),
                             Site("Paris", 1),
                             Site("New Delhi", 5.5),
                             Site("Tokyo", 9),
                             Site("Mauna Kea Observatories", -10)};
  std::vector<const SiteRecord*> sites;
  for (const SiteRecord& site : list) sites.push_back(&site);
  const struct {
    const char* id;
    double standardHours;
    const char* want;
  } zones[] = {
      {"Europe/Paris", 1, "Paris"},
      {"America/New_York", -5, "New York"},
      {"Europe/London", 0, "London"},       // by name, though Greenwich comes first at +0
      {"america/new_york", 3, "New York"},  // the name wins over a wrong offset; case ignored
      {"UTC", 0, "Greenwich (Royal Observatory)"},
      {"", 0, "Greenwich (Royal Observatory)"},
      {"Europe/Madrid", 1, "Paris"},  // no such site: the offset's
      {"Asia/Kathmandu", 5.75, "New Delhi"},
      {"Asia/Seoul", 9, "Tokyo"},
      {"America/Denver", -7, "Kitt Peak"},
      {"Pacific/Kiritimati", 14, "Tokyo"},  // far from all: still the nearest
      {"Pacific/Pago_Pago", -11, "Mauna Kea Observatories"},
      {"Etc/GMT+5", -5, "New York"},
  };
  for (const auto& z : zones) {
    SCOPED_TRACE(z.id);
    const int index = SiteForZone(sites, SystemZone{z.id, z.standardHours, false});
    ASSERT_GE(index, 0);
    EXPECT_EQ(sites[index]->name, z.want);
  }
  EXPECT_EQ(SiteForZone({}, SystemZone{"Europe/Paris", 1, true}), -1);
}

}  // namespace
}  // namespace qv
