// objects/site_zone.h - the database's observing sites (location objects, kind 101) and the
// one that suits a time zone, so that a first start shows the sky from near the user.
#pragma once

#include <vector>

#include "objects/records.h"
#include "platform/time_zone.h"

namespace qv {

// SiteObjects: the site objects of every database file that holds any, in store order.
std::vector<ObjectId> SiteObjects();

// SiteForZone: the index in sites of the site for the zone, -1 when the list is empty.
// Notes  1. A site whose name (before any " (") is the city of the zone's name (the part after
//           the last "/", "_" read as a space; case ignored) wins: "America/New_York" gives
//           "New York", whatever its offset.
//        2. Otherwise the site whose time zone is nearest the zone's standard offset; the first
//           in the list among equals (so the list's order decides, e.g. Greenwich for UTC).
int SiteForZone(const std::vector<const SiteRecord*>& sites, const SystemZone& zone);

}  // namespace qv
