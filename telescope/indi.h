// telescope/indi.h - the driver of a telescope behind an INDI server (platform/indi_client.h): the
// server's host and port and the device's name come from the connection options. The position is
// the device's EQUATORIAL_EOD_COORD, of date; go to and sync set ON_COORD_SET and then the
// coordinates; stop aborts every motion; the arrows drive TELESCOPE_MOTION_NS and _WE; the site
// and the clock are GEOGRAPHIC_COORD and TIME_UTC. The server sends the position as it changes,
// so a read costs no exchange: it is what arrived last. A server that has gone is a telescope
// that no longer answers (2706).
#pragma once

#include <string>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver IndiDriver;

// IndiUtcText: the universal time of jd as TIME_UTC wants it, "YYYY-MM-DDTHH:MM:SS", rounded to
// the second.
std::string IndiUtcText(double jd);

}  // namespace qv
