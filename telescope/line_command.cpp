// telescope/line_command.cpp - the line command set driver.
#include "telescope/line_command.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "telescope/command_text.h"
#include "telescope/link.h"
#include "telescope/serial_exchange.h"

namespace qv {
namespace {

constexpr int BaudRate = 9600;
constexpr size_t LineBytes = 80;
constexpr uint32_t ExchangeTimeoutMs = 10000;  // the controller answers slowly while it slews
constexpr long HundredthsPerDay = 8640000;
constexpr const char* More = "**";  // a line that more lines follow

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Exchange: the command, then up to lines lines, ending early after a line that does not begin
// with "**". The whole exchange has ExchangeTimeoutMs.
bool Exchange(TelescopeLink& link, std::string_view command, size_t lines,
              std::vector<std::string>& reply) {
  reply.clear();
  ExchangeStatus status = DiscardInput(link.port);
  if (status == ExchangeStatus::Ok) status = SendBytes(link.port, command);
  const uint32_t start = TickCount();
  while (status == ExchangeStatus::Ok && reply.size() < lines) {
    std::string line;
    status = CollectReply(link.port, line, LineBytes, "\n", TimeLeft(start, ExchangeTimeoutMs));
    if (status != ExchangeStatus::Ok) break;
    reply.push_back(std::move(line));
    if (!StartsWith(reply.back(), More)) break;
  }
  return ReportExchange(status);
}

bool Exchange(TelescopeLink& link, std::string_view command) {
  std::vector<std::string> reply;
  return Exchange(link, command, 1, reply);
}

int Sent(bool ok) { return ok ? ResultOk : ResultFailed; }

// The coordinates of go to and sync, to the whole second.
std::string TargetText(const EquatorialPosition& target) {
  const SexagesimalParts ra = Split(target.ra * HoursPerRadian, 60);
  const SexagesimalParts dec = Split(target.dec * DegreesPerRadian, 60);
  return Format("RA:%02ld:%02d:%02d DEC:%c%02ld:%02d:%02d\r", ra.whole % 24, ra.minutes, ra.units,
                SignOf(dec), dec.whole, dec.minutes, dec.units);
}

// A cursor over a reply line, read as the controller's scanf-like format: blanks are skipped
// before numbers and where the format has a space.
struct Cursor {
  std::string_view text;
  bool ok = true;

  void Blanks() {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  }
  void Literal(std::string_view literal) {
    if (ok && StartsWith(text, literal)) {
      text.remove_prefix(literal.size());
    } else {
      ok = false;
    }
  }
  template <typename Number>
  Number Read() {
    Blanks();
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (!ok || error != std::errc()) {
      ok = false;
      return Number{};
    }
    text.remove_prefix(size_t(end - text.data()));
    return value;
  }
  char Sign() {
    if (!ok || text.empty() || (text.front() != '+' && text.front() != '-')) {
      ok = false;
      return '+';
    }
    const char sign = text.front();
    text.remove_prefix(1);
    return sign;
  }
};

bool Sexagesimal(int whole, int minutes, double seconds, int mostWhole) {
  return whole >= 0 && whole <= mostWhole && minutes >= 0 && minutes < 60 && seconds >= 0 &&
         seconds < 60;
}

// Greet: "D" answers with lines of which the fourth says the controller is ready.
bool Greet(TelescopeLink& link) {
  std::vector<std::string> reply;
  if (!Exchange(link, "D\r", 4, reply)) return false;
  return (reply.size() == 4 && StartsWith(reply[3], "00")) ||
         ReportExchange(ExchangeStatus::BadReply);
}

int Open(TelescopeLink& link) { return OpenSerialLink(link, BaudRate, Greet); }

int ReadPosition(TelescopeLink& link, EquatorialPosition& at) {
  std::vector<std::string> reply;
  if (!Exchange(link, "R\r", 2, reply)) return ResultFailed;
  if (!ReadLineCommandPosition(reply[0], at)) {
    ReportExchange(ExchangeStatus::BadReply);
    return ResultFailed;
  }
  return ResultOk;
}

int GoTo(TelescopeLink& link, const EquatorialPosition& target) {
  std::vector<std::string> reply;
  if (!Exchange(link, "X" + TargetText(target), 1, reply)) return ResultFailed;
  const std::string_view status = reply[0];
  if (StartsWith(status, "01")) {
    ReportInvalidTarget(target);
  } else if (StartsWith(status, "02")) {
    return ResultMountSlewing;
  } else if (StartsWith(status, "04")) {
    Stop(ButtonsOk, MessageSlewBelowHorizon);
  } else if (StartsWith(status, "05")) {
    Stop(ButtonsOk, MessageSlewOutOfReach);
  } else {
    return ResultOk;
  }
  return ResultFailed;
}

int Sync(TelescopeLink& link, const EquatorialPosition& target) {
  return Sent(Exchange(link, "S" + TargetText(target)));
}

int Move(TelescopeLink& link, bool start, int direction) {
  static constexpr const char* Starts[] = {"", "JD-%d\r", "JR-%d\r", "JD+%d\r", "JR+%d\r"};
  static constexpr const char* Stops[] = {"TS\r", "JD+0\r", "JR+0\r", "JD+0\r", "JR+0\r"};
  if (direction < DirectionNone || direction > DirectionWest) return ResultFailed;
  if (start && direction != DirectionNone)
    return Sent(Exchange(link, Format(Starts[direction], link.mount.jogRate)));
  return Sent(Exchange(link, Stops[direction]));
}

int SetSpeed(TelescopeLink& link, int speed) {
  static constexpr int JogRates[] = {16, 8, 4, 2};
  if (speed < 1 || speed > 4) return ResultFailed;
  link.mount.jogRate = JogRates[speed - 1];
  return ResultOk;
}

// The local time of day to the hundredth of a second, rounded once so that no field reads 60.
int SetDateTime(TelescopeLink& link, double jd, double zone) {
  const double local = jd + zone + 0.5;  // days from local midnight
  const long hundredths = std::lround((local - std::floor(local)) * HundredthsPerDay);
  const long t = hundredths % HundredthsPerDay;
  return Sent(Exchange(link, Format("I%02ld:%02ld:%02ld:%02ld\r", t / 360000, t / 6000 % 60,
                                    t / 100 % 60, t % 100)));
}

}  // namespace

const TelescopeDriver LineCommandDriver = {
    .equatorOfDate = true,
    .open = Open,
    .close = CloseSerialLink,
    .readPosition = ReadPosition,
    .goTo = GoTo,
    .sync = Sync,
    .move = Move,
    .setSpeed = SetSpeed,
    .setDateTime = SetDateTime,
};

bool ReadLineCommandPosition(std::string_view line, EquatorialPosition& out) {
  Cursor c{line};
  c.Literal(More);
  c.Blanks();
  c.Literal("RA:");
  const int hours = c.Read<int>();
  c.Literal(":");
  const int raMinutes = c.Read<int>();
  c.Literal(":");
  const double raSeconds = c.Read<double>();
  c.Blanks();
  c.Literal("DEC:");
  const char sign = c.Sign();
  const int degrees = c.Read<int>();
  c.Literal(":");
  const int decMinutes = c.Read<int>();
  c.Literal(":");
  const double decSeconds = c.Read<double>();
  if (!c.ok || !Sexagesimal(hours, raMinutes, raSeconds, 23) ||
      !Sexagesimal(degrees, decMinutes, decSeconds, 90))
    return false;
  const double dec = degrees + decMinutes / 60.0 + decSeconds / 3600.0;
  if (dec > 90) return false;
  out = {(hours + raMinutes / 60.0 + raSeconds / 3600.0) / HoursPerRadian,
         (sign == '-' ? -dec : dec) / DegreesPerRadian};
  return true;
}

}  // namespace qv
