// telescope/serial_exchange.h - the pieces every telescope driver's exchange is made of: opening
// the chosen port at the protocol's line settings, discarding stale input, sending a command and
// collecting a reply within a time-out by the platform's millisecond ticks. A failure is shown
// once, by ReportExchange, with the message the user needs (2700, 2701, 2702, 2706).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/serial.h"

namespace qv {

constexpr int TelescopeQueueBytes = 256;
constexpr uint32_t ReplyTimeoutMs = 2000;  // a mount's answer to one command

// Refused: the mount declined the command with an answer of its own; nothing is shown.
enum class ExchangeStatus { Ok, ReadFailed, WriteFailed, TimedOut, BadReply, Refused };

// OpenTelescopePort: port number (1-based) at baud, 8 data bits, no parity, one stop bit;
// NoSerialPort after message 2700.
SerialPort OpenTelescopePort(int number, int baud);

// DiscardInput: reads and drops whatever is waiting (the tail of an earlier, longer reply).
ExchangeStatus DiscardInput(SerialPort port);

ExchangeStatus SendBytes(SerialPort port, std::string_view bytes);

// CollectReply: appends the bytes that arrive to reply until its last byte is one of the
// terminators (none: a reply of a fixed count) or it holds maxBytes; TimedOut when timeoutMs
// pass first.
ExchangeStatus CollectReply(SerialPort port, std::string& reply, size_t maxBytes,
                            std::string_view terminators, uint32_t timeoutMs);

// TimeLeft: what remains of timeoutMs since startMs, 0 once it has passed.
uint32_t TimeLeft(uint32_t startMs, uint32_t timeoutMs);

// ReportExchange: shows the message of a failure (read 2701, write 2702, time-out and bad reply
// 2706; nothing for Refused); true for Ok.
bool ReportExchange(ExchangeStatus status);

}  // namespace qv
