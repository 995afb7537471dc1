// telescope/nexstar.cpp - the binary command set driver.
//
// A silent mount is a busy one: once connected, a "?" left unanswered means a slew (from the hand
// controller or this program) is under way, and the marker keeps the last position until the
// mount's end-of-slew byte arrives.
#include "telescope/nexstar.h"

#include <algorithm>
#include <string>

#include "platform/events.h"
#include "platform/result.h"
#include "telescope/binary_angle.h"
#include "telescope/link.h"
#include "telescope/serial_exchange.h"

namespace qv {
namespace {

constexpr int BaudRate = 9600;
constexpr int GoToSettleMs = 500;  // between the position read and the go to
// An echo and its answer come at once: a reply that only looks like an echo (an answer whose
// first byte is the command's letter) is known by nothing more arriving within this time.
constexpr uint32_t EchoGraceMs = 100;
constexpr char SlewEnded = 0x40;

enum NexStarResult : int {
  NexStarOk = 1,
  NexStarTimedOut = -1,
  NexStarReadFailed = -2,
  NexStarWriteFailed = -3,
};

int ResultOf(ExchangeStatus status) {
  switch (status) {
    case ExchangeStatus::Ok:
      return NexStarOk;
    case ExchangeStatus::TimedOut:
      return NexStarTimedOut;
    default:
      return NexStarReadFailed;
  }
}

// Exchange: the command, then replyBytes bytes; an echo of the command before them is dropped.
int Exchange(SerialPort port, std::string_view command, size_t replyBytes, std::string& reply) {
  reply.clear();
  if (DiscardInput(port) != ExchangeStatus::Ok) return NexStarReadFailed;
  if (SendBytes(port, command) != ExchangeStatus::Ok) return NexStarWriteFailed;
  if (replyBytes == 0) return NexStarOk;
  const uint32_t start = TickCount();
  std::string got;
  int result = ResultOf(CollectReply(port, got, replyBytes, {}, ReplyTimeoutMs));
  const size_t overlap = std::min(replyBytes, command.size());
  if (result != NexStarOk || got.compare(0, overlap, command, 0, overlap) != 0) {
    reply = got;
    return result;
  }
  const uint32_t grace = std::min(EchoGraceMs, TimeLeft(start, ReplyTimeoutMs));
  result = ResultOf(CollectReply(port, got, replyBytes + 1, {}, grace));
  if (result == NexStarTimedOut && replyBytes >= command.size()) {  // no echo after all
    reply = got;
    return NexStarOk;
  }
  if (result == NexStarOk) {
    result = ResultOf(
        CollectReply(port, got, command.size() + replyBytes, {}, TimeLeft(start, ReplyTimeoutMs)));
  }
  if (result == NexStarOk) reply = got.substr(command.size());
  return result;
}

bool Report(int result) {
  switch (result) {
    case NexStarOk:
      return true;
    case NexStarTimedOut:
      return ReportExchange(ExchangeStatus::TimedOut);
    case NexStarWriteFailed:
      return ReportExchange(ExchangeStatus::WriteFailed);
    default:
      return ReportExchange(ExchangeStatus::ReadFailed);
  }
}

int Open(TelescopeLink& link) { return OpenSerialLink(link, BaudRate, nullptr); }

// While slewing: the last position, and the mount's end-of-slew byte when it has come.
int PositionWhileSlewing(TelescopeLink& link, EquatorialPosition& at) {
  int waiting = 0;
  char byte = 0;
  size_t got = 0;
  if (!SerialBytesWaiting(link.port, &waiting, nullptr) ||
      (waiting > 0 && !ReadSerial(link.port, &byte, 1, &got))) {
    ReportExchange(ExchangeStatus::ReadFailed);
    return ResultFailed;
  }
  at = link.mount.lastRead;
  if (got == 1 && byte == SlewEnded) link.mount.slewing = false;
  if (got == 1 && byte == '#') {
    link.mount.slewing = false;
    std::string unused;  // the mount expects the position asked for
    Exchange(link.port, "E", 4, unused);
  }
  return ResultOk;
}

int ReadPosition(TelescopeLink& link, EquatorialPosition& at) {
  if (link.mount.slewing) return PositionWhileSlewing(link, at);
  std::string reply;
  int result = Exchange(link.port, "?", 1, reply);
  if (result == NexStarTimedOut && link.connected) {
    link.mount.slewing = true;
    at = link.mount.lastRead;
    return ResultOk;
  }
  if (result == NexStarOk) result = Exchange(link.port, "E", 4, reply);
  if (!Report(result)) return ResultFailed;
  NexStarPositionFromBytes(reply, link.mount.lastRead);
  at = link.mount.lastRead;
  return ResultOk;
}

int GoTo(TelescopeLink& link, const EquatorialPosition& target) {
  EquatorialPosition here;
  if (ReadPosition(link, here) != ResultOk) return ResultFailed;
  Delay(GoToSettleMs);
  std::string reply;
  Exchange(link.port, "?", 1, reply);  // readies the mount; its answer is not needed
  const BinaryPosition b = BinaryPositionOf(target);
  const char command[] = {'R', char(b.ra >> 8), char(b.ra & 0xFF), char(b.dec >> 8),
                          char(b.dec & 0xFF)};
  const std::string_view slew(command, sizeof command);
  if (!Report(Exchange(link.port, slew, 0, reply))) return ResultFailed;
  // An echo is taken off the line now: during the slew, the next byte must be the mount's own.
  // Anything else that came is the mount's: a slew of no length has ended already.
  std::string echo;
  CollectReply(link.port, echo, slew.size(), {}, EchoGraceMs);
  link.mount.slewing = echo == slew || echo.find_first_of("\x40#") == std::string::npos;
  return ResultOk;
}

}  // namespace

const TelescopeDriver NexStarDriver = {
    .equatorOfDate = true,
    .open = Open,
    .close = CloseSerialLink,
    .readPosition = ReadPosition,
    .goTo = GoTo,
};

bool NexStarPositionFromBytes(std::string_view bytes, EquatorialPosition& out) {
  if (bytes.size() != 4) return false;
  const auto word = [&](size_t at) {
    return uint16_t(uint8_t(bytes[at]) << 8 | uint8_t(bytes[at + 1]));
  };
  out = PositionFromBinary({word(0), word(2)});
  return true;
}

}  // namespace qv
