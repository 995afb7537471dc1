// telescope/meade.cpp - the Meade command set driver.
//
// Every command goes through Exchange: stale input is discarded, the command written, and the
// reply (when one is wanted) collected up to its "#" or its byte count within 2000 ms. A reply
// longer than the count stays in the port and is discarded by the next exchange.
#include "telescope/meade.h"

#include <cmath>
#include <numbers>
#include <string>

#include "astro/time.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/result.h"
#include "telescope/command_text.h"
#include "telescope/link.h"
#include "telescope/serial_exchange.h"

namespace qv {
namespace {

constexpr size_t TextReplyBytes = 79;
constexpr char Ack = 0x06;                                // asks for the alignment mode
constexpr double HalfSecondDays = 5.787037037037037e-06;  // 0.5 s
constexpr int ClockSettleMs = 5000;                       // the mount recomputes its planetary data

// Exchange: one command and its reply of at most replyBytes ("#" ends a text reply early).
bool Exchange(TelescopeLink& link, std::string_view command, size_t replyBytes,
              std::string* reply = nullptr) {
  std::string got;
  ExchangeStatus status = DiscardInput(link.port);
  if (status == ExchangeStatus::Ok) status = SendBytes(link.port, command);
  if (status == ExchangeStatus::Ok && replyBytes > 0)
    status = CollectReply(link.port, got, replyBytes, "#", ReplyTimeoutMs);
  if (reply) *reply = got;
  return ReportExchange(status);
}

// The target commands: R.A. in hours and tenths of minutes, Dec. in degrees and minutes.
std::string RightAscensionCommand(double ra) {
  const SexagesimalParts p = Split(ra * HoursPerRadian, 10);
  return Format(":Sr %02ld:%04.1f#", p.whole % 24, p.minutes + p.units / 10.0);
}
std::string DeclinationCommand(double dec) {
  const SexagesimalParts p = Split(dec * DegreesPerRadian, 1);
  return Format(":Sd %c%02ld*%02d#", SignOf(p), p.whole, p.minutes);
}

// SendTarget: both coordinates; a "0" reply is the mount refusing them.
bool SendTarget(TelescopeLink& link, const EquatorialPosition& target) {
  for (const std::string& command :
       {RightAscensionCommand(target.ra), DeclinationCommand(target.dec)}) {
    std::string reply;
    if (!Exchange(link, command, 1, &reply)) return false;
    if (reply == "0") {
      ReportInvalidTarget(target);
      return false;
    }
  }
  return true;
}

// The offset from local time to universal time, whole hours ("+00", not "-00", for UT).
std::string UtcOffsetCommand(double zone) { return Format(":SG %+03.0f#", -zone * 24 + 0.0); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// TwoDigits: the number of the two digits at text[at], or -1.
int TwoDigits(std::string_view text, size_t at) {
  if (at + 2 > text.size() || !IsDigit(text[at]) || !IsDigit(text[at + 1])) return -1;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

bool InRange(int value, int most) { return value >= 0 && value <= most; }

// AskAlignmentMode: the mount answers ACK with its alignment mode.
bool AskAlignmentMode(TelescopeLink& link) {
  std::string mode;
  if (!Exchange(link, std::string_view(&Ack, 1), 1, &mode)) return false;
  if (mode == "A" || mode == "P" || mode == "G") return true;  // alt-az, polar, German polar
  return ReportExchange(ExchangeStatus::BadReply);
}

int Open(TelescopeLink& link) {
  return OpenSerialLink(link, MeadeBaudRate(link.options.TelescopeInterface), AskAlignmentMode);
}

int ReadPosition(TelescopeLink& link, EquatorialPosition& at) {
  std::string ra, dec;
  if (!Exchange(link, ":GR#", TextReplyBytes, &ra) || !Exchange(link, ":GD#", TextReplyBytes, &dec))
    return ResultFailed;
  EquatorialPosition read;
  if (!ReadMeadeRightAscension(ra, read.ra) || !ReadMeadeDeclination(dec, read.dec)) {
    ReportExchange(ExchangeStatus::BadReply);
    return ResultFailed;
  }
  at = read;
  return ResultOk;
}

int GoTo(TelescopeLink& link, const EquatorialPosition& target) {
  std::string reply;
  if (!SendTarget(link, target) || !Exchange(link, ":MS#", 1, &reply)) return ResultFailed;
  if (reply == "1") {
    Stop(ButtonsOk, MessageSlewBelowHorizon);
    return ResultFailed;
  }
  if (reply == "2") {
    Stop(ButtonsOk, MessageSlewOutOfReach);
    return ResultFailed;
  }
  return ResultOk;  // "0", or a reply this program does not know: the mount is moving
}

int Sync(TelescopeLink& link, const EquatorialPosition& target) {
  return SendTarget(link, target) && Exchange(link, ":CM#", TextReplyBytes) ? ResultOk
                                                                            : ResultFailed;
}

int Move(TelescopeLink& link, bool start, int direction) {
  static constexpr const char* Starts[] = {"", ":Mn#", ":Me#", ":Ms#", ":Mw#"};
  static constexpr const char* Stops[] = {":Q#", ":Qn#", ":Qe#", ":Qs#", ":Qw#"};
  if (direction < DirectionNone || direction > DirectionWest) return ResultFailed;
  if (start && direction != DirectionNone) {
    return Exchange(link, Starts[direction], 0) ? ResultOk : ResultFailed;
  }
  if (direction != DirectionNone) {
    return Exchange(link, Stops[direction], 0) ? ResultOk : ResultFailed;
  }
  for (const char* command : Stops) {
    if (!Exchange(link, command, 0)) return ResultFailed;  // one message, not five
  }
  return ResultOk;
}

int SetSpeed(TelescopeLink& link, int speed) {
  static constexpr const char* Rates[] = {":RS#", ":RM#", ":RC#", ":RG#"};  // slew ... guide
  if (speed < 1 || speed > 4) return ResultFailed;
  return Exchange(link, Rates[speed - 1], 0) ? ResultOk : ResultFailed;
}

int SetDateTime(TelescopeLink& link, double jd, double zone) {
  CalendarDate local = JulianDateToCalendar(jd, zone, CalendarGregorian);
  if (local.second >= 59.5) {  // would print as 60: the next minute instead
    local = JulianDateToCalendar(jd + HalfSecondDays, zone, CalendarGregorian);
  }
  const long year = ((local.year % 100) + 100) % 100;
  const bool sent =
      Exchange(link, UtcOffsetCommand(zone), 1) &&
      Exchange(link, Format(":SL %02d:%02d:%02.0f#", local.hour, local.minute, local.second), 1) &&
      Exchange(link, Format(":SC %02d/%02.0f/%02ld#", local.month, std::floor(local.day), year),
               TextReplyBytes);
  if (!sent) return ResultFailed;
  link.busyWait(ClockSettleMs);
  return ResultOk;
}

int SetSite(TelescopeLink& link, double longitude, double latitude, double zone) {
  const SexagesimalParts lat = Split(latitude * DegreesPerRadian, 1);
  const double west = std::remainder(-longitude, 2 * std::numbers::pi) * DegreesPerRadian;
  const SexagesimalParts lon = Split(west < 0 ? west + 360 : west, 1);
  return Exchange(link, UtcOffsetCommand(zone), 1) &&
                 Exchange(
                     link,
                     Format(":St %c%02ld*%02.0f#", SignOf(lat), lat.whole, double(lat.minutes)),
                     1) &&
                 Exchange(link, Format(":Sg %03ld*%02.0f#", lon.whole % 360, double(lon.minutes)),
                          1)
             ? ResultOk
             : ResultFailed;
}

}  // namespace

const TelescopeDriver MeadeDriver = {
    .equatorOfDate = true,
    .open = Open,
    .close = CloseSerialLink,
    .readPosition = ReadPosition,
    .goTo = GoTo,
    .sync = Sync,
    .move = Move,
    .setSpeed = SetSpeed,
    .setDateTime = SetDateTime,
    .setSite = SetSite,
};

int MeadeBaudRate(TelescopeKind kind) {
  switch (kind) {
    case TelescopeMagellanI:
      return 1200;
    case TelescopeMagellanII:
      return 300;
    default:
      return 9600;
  }
}

bool ReadMeadeRightAscension(std::string_view reply, double& ra) {
  const int hours = TwoDigits(reply, 0), minutes = TwoDigits(reply, 3);
  if (!InRange(hours, 23) || !InRange(minutes, 59) || reply[2] != ':') return false;
  double seconds = 0;
  if (reply.size() == 8 && reply[5] == '.' && IsDigit(reply[6]) && reply[7] == '#') {
    seconds = (reply[6] - '0') * 6.0;  // tenths of a minute
  } else if (reply.size() == 9 && reply[5] == ':' && InRange(TwoDigits(reply, 6), 59) &&
             reply[8] == '#') {
    seconds = TwoDigits(reply, 6);
  } else {
    return false;
  }
  ra = (hours + minutes / 60.0 + seconds / 3600.0) / HoursPerRadian;
  return true;
}

bool ReadMeadeDeclination(std::string_view reply, double& dec) {
  if (reply.size() < 7 || (reply[0] != '+' && reply[0] != '-')) return false;
  const int degrees = TwoDigits(reply, 1), minutes = TwoDigits(reply, 4);
  const unsigned char separator = static_cast<unsigned char>(reply[3]);
  if (!InRange(degrees, 90) || !InRange(minutes, 59) ||
      (separator != '*' && separator != ':' && separator != 223))
    return false;
  int seconds = 0;
  if (reply.size() == 10 && (reply[6] == ':' || reply[6] == '\'') &&
      InRange(TwoDigits(reply, 7), 59) && reply[9] == '#') {
    seconds = TwoDigits(reply, 7);
  } else if (reply.size() != 7 || reply[6] != '#') {
    return false;
  }
  const double value = degrees + minutes / 60.0 + seconds / 3600.0;
  if (value > 90) return false;
  dec = (reply[0] == '-' ? -value : value) / DegreesPerRadian;
  return true;
}

}  // namespace qv
