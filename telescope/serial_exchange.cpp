// telescope/serial_exchange.cpp - opening telescope ports and moving command and reply bytes.
#include "telescope/serial_exchange.h"

#include <algorithm>

#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/events.h"

namespace qv {

SerialPort OpenTelescopePort(int number, int baud) {
  const SerialPort port = OpenSerialPort(number, TelescopeQueueBytes, TelescopeQueueBytes);
  if (port != NoSerialPort && SetSerialParameters(port, baud, 8, 0, 0)) return port;
  CloseSerialPort(port);
  Stop(ButtonsOk, MessagePortUnavailable);
  return NoSerialPort;
}

ExchangeStatus DiscardInput(SerialPort port) {
  int waiting = 0;
  if (!SerialBytesWaiting(port, &waiting, nullptr)) return ExchangeStatus::ReadFailed;
  while (waiting > 0) {
    char drop[TelescopeQueueBytes];
    const size_t want = std::min<size_t>(size_t(waiting), sizeof drop);
    size_t got = 0;
    if (!ReadSerial(port, drop, want, &got)) return ExchangeStatus::ReadFailed;
    waiting -= int(got);
    if (got < want) break;  // what the count promised did not come: nothing more waits
  }
  return ExchangeStatus::Ok;
}

ExchangeStatus SendBytes(SerialPort port, std::string_view bytes) {
  size_t written = 0;
  if (!WriteSerial(port, bytes.data(), bytes.size(), &written) || written != bytes.size())
    return ExchangeStatus::WriteFailed;
  return ExchangeStatus::Ok;
}

uint32_t TimeLeft(uint32_t startMs, uint32_t timeoutMs) {
  const uint32_t elapsed = TickCount() - startMs;
  return elapsed < timeoutMs ? timeoutMs - elapsed : 0;
}

ExchangeStatus CollectReply(SerialPort port, std::string& reply, size_t maxBytes,
                            std::string_view terminators, uint32_t timeoutMs) {
  const uint32_t start = TickCount();
  while (reply.size() < maxBytes) {
    int waiting = 0;
    if (!SerialBytesWaiting(port, &waiting, nullptr)) return ExchangeStatus::ReadFailed;
    const uint32_t left = TimeLeft(start, timeoutMs);
    if (waiting == 0 && left == 0) return ExchangeStatus::TimedOut;
    if (waiting == 0 && left < uint32_t(SerialTimeoutMs)) {
      Delay(1);  // too little time left for the port's own wait
      continue;
    }
    // One byte at a time, since what follows the terminator belongs to the next reply. With
    // nothing waiting the port's read waits for the byte, at most SerialTimeoutMs.
    char c = 0;
    size_t got = 0;
    if (!ReadSerial(port, &c, 1, &got)) return ExchangeStatus::ReadFailed;
    if (got == 0) continue;
    reply.push_back(c);
    if (terminators.find(c) != std::string_view::npos) break;
  }
  return ExchangeStatus::Ok;
}

bool ReportExchange(ExchangeStatus status) {
  switch (status) {
    case ExchangeStatus::Ok:
      return true;
    case ExchangeStatus::ReadFailed:
      Stop(ButtonsOk, MessageCannotReadPort);
      break;
    case ExchangeStatus::WriteFailed:
      Stop(ButtonsOk, MessageCannotWritePort);
      break;
    case ExchangeStatus::TimedOut:
    case ExchangeStatus::BadReply:
      Stop(ButtonsOk, MessageNotResponding);
      break;
    case ExchangeStatus::Refused:
      break;
  }
  return false;
}

}  // namespace qv
