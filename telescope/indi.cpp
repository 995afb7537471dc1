// telescope/indi.cpp - the INDI driver.
#include "telescope/indi.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "astro/time.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/result.h"
#include "telescope/command_text.h"
#include "telescope/link.h"
#include "telescope/serial_exchange.h"

namespace qv {
namespace {

// Connecting waits for the server, the device and its first position; a device that must
// first connect to its own mount takes a few seconds.
constexpr int OpenTimeoutMs = 10000;
constexpr double HalfSecondDays = 0.5 / 86400;

// Sent: a command's result; a server that has gone is a telescope that does not answer.
int Sent(bool ok) {
  if (ok) return ResultOk;
  ReportExchange(ExchangeStatus::TimedOut);
  return ResultFailed;
}

int Open(TelescopeLink& link) {
  const TelescopeOptions& o = link.options;
  IndiOpenResult result = IndiOpenResult::NoServer;
  link.mount.indi = OpenIndiConnection(o.TelescopeINDIHost, o.TelescopeINDIPort,
                                       o.TelescopeINDIDevice, OpenTimeoutMs, &result);
  if (result == IndiOpenResult::Ok) return ResultOk;
  if (result == IndiOpenResult::NoServer) {
    Stop(ButtonsOk, MessageIndiNoServer, o.TelescopeINDIHost.c_str(), int(o.TelescopeINDIPort));
  } else if (o.TelescopeINDIDevice.empty()) {
    Stop(ButtonsOk, MessageIndiNoTelescope);
  } else {
    Stop(ButtonsOk, MessageIndiNoDevice, o.TelescopeINDIDevice.c_str());
  }
  return ResultFailed;
}

void Close(TelescopeLink& link) {
  CloseIndiConnection(link.mount.indi);
  link.mount.indi = NoIndiConnection;
}

int ReadPosition(TelescopeLink& link, EquatorialPosition& at) {
  double raHours = 0, decDegrees = 0;
  if (!ReadIndiPosition(link.mount.indi, raHours, decDegrees) || !std::isfinite(raHours) ||
      !std::isfinite(decDegrees))
    return Sent(false);
  const double ra = std::fmod(raHours / HoursPerRadian, 2 * std::numbers::pi);
  at = {ra < 0 ? ra + 2 * std::numbers::pi : ra,
        std::fmax(-90.0, std::fmin(90.0, decDegrees)) / DegreesPerRadian};
  return ResultOk;
}

int SendCoordinates(TelescopeLink& link, IndiCoordinateAction action, const EquatorialPosition& p) {
  return Sent(SendIndiCoordinates(link.mount.indi, action, p.ra * HoursPerRadian,
                                  p.dec * DegreesPerRadian));
}

int GoTo(TelescopeLink& link, const EquatorialPosition& target) {
  return SendCoordinates(link, IndiCoordinateAction::Slew, target);
}

int Sync(TelescopeLink& link, const EquatorialPosition& target) {
  return SendCoordinates(link, IndiCoordinateAction::Sync, target);
}

// Move: north and west are the negative senses of their axes.
int Move(TelescopeLink& link, bool start, int direction) {
  const IndiConnection c = link.mount.indi;
  switch (direction) {
    case DirectionNone:
      return Sent(SendIndiAbort(c) && SendIndiMotion(c, IndiAxis::NorthSouth, 0) &&
                  SendIndiMotion(c, IndiAxis::WestEast, 0));
    case DirectionNorth:
    case DirectionSouth:
      return Sent(SendIndiMotion(c, IndiAxis::NorthSouth,
                                 start ? (direction == DirectionNorth ? -1 : 1) : 0));
    case DirectionEast:
    case DirectionWest:
      return Sent(
          SendIndiMotion(c, IndiAxis::WestEast, start ? (direction == DirectionWest ? -1 : 1) : 0));
    default:
      return ResultFailed;
  }
}

int SetDateTime(TelescopeLink& link, double jd, double zone) {
  return Sent(SendIndiTime(link.mount.indi, IndiUtcText(jd), zone * 24));
}

int SetSite(TelescopeLink& link, double longitude, double latitude, double) {
  const double east = std::remainder(longitude, 2 * std::numbers::pi) * DegreesPerRadian;
  return Sent(
      SendIndiSite(link.mount.indi, latitude * DegreesPerRadian, east < 0 ? east + 360 : east));
}

}  // namespace

const TelescopeDriver IndiDriver = {
    .equatorOfDate = true,
    .open = Open,
    .close = Close,
    .readPosition = ReadPosition,
    .goTo = GoTo,
    .sync = Sync,
    .move = Move,
    .setDateTime = SetDateTime,
    .setSite = SetSite,
};

std::string IndiUtcText(double jd) {
  CalendarDate utc = JulianDateToCalendar(jd, 0, CalendarGregorian);
  if (utc.second >= 59.5) utc = JulianDateToCalendar(jd + HalfSecondDays, 0, CalendarGregorian);
  return Format("%04d-%02d-%02.0fT%02d:%02d:%02.0f", int(utc.year), int(utc.month),
                std::floor(utc.day), int(utc.hour), int(utc.minute), std::floor(utc.second + 0.5));
}

bool ReadIndiAddress(std::string_view text, std::string& host, int32_t& port) {
  std::string_view name = text, number;
  if (text.starts_with('[')) {  // [IPv6]:port
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    name = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty() && (rest.front() != ':' || rest.size() == 1)) return false;
    number = rest.empty() ? rest : rest.substr(1);
  } else if (const size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    name = text.substr(0, colon);
    number = text.substr(colon + 1);
    if (number.empty() || name.find(':') != std::string_view::npos) return false;
  }
  int value = IndiDefaultPort;
  if (!number.empty()) {
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) return false;
  }
  if (name.empty() || value < 1 || value > 65535) return false;
  host = name;
  port = value;
  return true;
}

}  // namespace qv
