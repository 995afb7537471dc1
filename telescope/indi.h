// telescope/indi.h - the driver of a telescope behind an INDI server (platform/indi_client.h): the
// server's host and port and the device's name come from the connection options. The position is
// the device's EQUATORIAL_EOD_COORD, of date; go to and sync set ON_COORD_SET and then the
// coordinates; stop aborts every motion; the arrows drive TELESCOPE_MOTION_NS and _WE; the site
// and the clock are GEOGRAPHIC_COORD and TIME_UTC. The server sends the position as it changes,
// so a read costs no exchange: it is what arrived last. A server that has gone is a telescope
// that no longer answers (2706).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver IndiDriver;

// IndiUtcText: the universal time of jd as TIME_UTC wants it, "YYYY-MM-DDTHH:MM:SS", rounded to
// the second.
std::string IndiUtcText(double jd);

// ReadIndiAddress: "HOST" or "HOST:PORT" (an IPv6 host in brackets, "[::1]:7624") as typed by the
// user; the port is 7624 when not given. false (out unchanged) for an empty host or a port
// outside 1-65535.
bool ReadIndiAddress(std::string_view text, std::string& host, int32_t& port);

}  // namespace qv
