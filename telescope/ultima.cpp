// telescope/ultima.cpp - the hexadecimal command set driver.
//
// A mount that has lost its link, or is busy, keeps its marker where it was last seen while
// connected: a failed read returns the last position. The time-out is shown once, not at every
// poll, until the mount answers again.
#include "telescope/ultima.h"

#include <algorithm>
#include <string>

#include "platform/events.h"
#include "platform/result.h"
#include "telescope/binary_angle.h"
#include "telescope/command_text.h"
#include "telescope/link.h"
#include "telescope/serial_exchange.h"

namespace qv {
namespace {

constexpr int BaudRate = 9600;
constexpr size_t PositionReplyBytes = 16;
constexpr size_t GoToReplyBytes = 2;
constexpr size_t SyncReplyBytes = 8;

// Exchange: the command, then the reply up to its "#" (or "%": declined) and replyBytes; an
// echo of the command is passed over.
ExchangeStatus Exchange(SerialPort port, std::string_view command, size_t replyBytes,
                        std::string& reply) {
  reply.clear();
  ExchangeStatus status = DiscardInput(port);
  if (status == ExchangeStatus::Ok) status = SendBytes(port, command);
  if (status != ExchangeStatus::Ok || replyBytes == 0) return status;
  const uint32_t start = TickCount();
  const size_t most = std::max(replyBytes, command.size());  // room for the echo
  do {
    reply.clear();
    status = CollectReply(port, reply, most, "#%", TimeLeft(start, ReplyTimeoutMs));
  } while (status == ExchangeStatus::Ok && reply == command);
  if (status == ExchangeStatus::Ok && !reply.empty() && reply.back() == '%')
    return ExchangeStatus::Refused;
  return status;
}

bool ExchangeReported(TelescopeLink& link, std::string_view command, size_t replyBytes) {
  std::string reply;
  return ReportExchange(Exchange(link.port, command, replyBytes, reply));
}

std::string TargetCommand(char letter, const EquatorialPosition& target) {
  const BinaryPosition b = BinaryPositionOf(target);
  return Format("%c%04X,%04X#", letter, unsigned(b.ra), unsigned(b.dec));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// FourHexDigits: the value of the digits at text[at], or -1.
long FourHexDigits(std::string_view text, size_t at) {
  long value = 0;
  for (size_t i = at; i < at + 4; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

int Open(TelescopeLink& link) { return OpenSerialLink(link, BaudRate, nullptr); }

int ReadPosition(TelescopeLink& link, EquatorialPosition& at) {
  std::string reply;
  ExchangeStatus status = Exchange(link.port, "E#", PositionReplyBytes, reply);
  EquatorialPosition read;
  if (status == ExchangeStatus::Ok && !ReadUltimaPosition(reply, read))
    status = ExchangeStatus::BadReply;
  if (status == ExchangeStatus::Ok) {
    link.mount.lastRead = read;
    link.mount.silenceReported = false;
    at = read;
    return ResultOk;
  }
  if (!link.connected) {  // connecting: the mount must answer
    ReportExchange(status == ExchangeStatus::Refused ? ExchangeStatus::BadReply : status);
    return ResultFailed;
  }
  if (status != ExchangeStatus::Refused && !link.mount.silenceReported) {
    ReportExchange(status);
    link.mount.silenceReported = true;
  }
  at = link.mount.lastRead;
  return ResultOk;
}

int GoTo(TelescopeLink& link, const EquatorialPosition& target) {
  ExchangeReported(link, TargetCommand('R', target), GoToReplyBytes);
  return ResultOk;  // the mount's short answer says nothing this program uses
}

int Sync(TelescopeLink& link, const EquatorialPosition& target) {
  return ExchangeReported(link, TargetCommand('F', target), SyncReplyBytes) ? ResultOk
                                                                            : ResultFailed;
}

int Move(TelescopeLink& link, bool, int) {
  return ExchangeReported(link, "M#", 0) ? ResultOk : ResultFailed;  // stops every motion
}

}  // namespace

const TelescopeDriver UltimaDriver = {
    .equatorOfDate = true,
    .open = Open,
    .close = CloseSerialLink,
    .readPosition = ReadPosition,
    .goTo = GoTo,
    .sync = Sync,
    .move = Move,
};

bool ReadUltimaPosition(std::string_view reply, EquatorialPosition& out) {
  if (reply.size() != 10 || reply[4] != ',' || reply[9] != '#') return false;
  const long ra = FourHexDigits(reply, 0), dec = FourHexDigits(reply, 5);
  if (ra < 0 || dec < 0) return false;
  out = PositionFromBinary({uint16_t(ra), uint16_t(dec)});
  return true;
}

}  // namespace qv
