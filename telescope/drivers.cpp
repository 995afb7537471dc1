// telescope/drivers.cpp - the driver table of each protocol family, and the opening and closing
// of serial links they share.
#include "platform/result.h"
#include "telescope/driver.h"
#include "telescope/encoder_box.h"
#include "telescope/indi.h"
#include "telescope/line_command.h"
#include "telescope/link.h"
#include "telescope/meade.h"
#include "telescope/nexstar.h"
#include "telescope/serial_exchange.h"
#include "telescope/ultima.h"

namespace qv {

const TelescopeDriver* DriverOf(ProtocolFamily family) {
  switch (family) {
    case ProtocolFamily::Meade:
      return &MeadeDriver;
    case ProtocolFamily::Ultima:
      return &UltimaDriver;
    case ProtocolFamily::NexStar:
      return &NexStarDriver;
    case ProtocolFamily::EncoderBox:
      return &EncoderBoxDriver;
    case ProtocolFamily::LineCommand:
      return &LineCommandDriver;
    case ProtocolFamily::Indi:
      return &IndiDriver;
  }
  return nullptr;
}

int OpenSerialLink(TelescopeLink& link, int baud, bool (*greet)(TelescopeLink& link)) {
  link.port = OpenTelescopePort(link.options.TelescopeConnectionPort, baud);
  if (link.port == NoSerialPort) return ResultFailed;
  if (!greet || greet(link)) return ResultOk;
  CloseSerialLink(link);
  return ResultFailed;
}

void CloseSerialLink(TelescopeLink& link) {
  CloseSerialPort(link.port);
  link.port = NoSerialPort;
}

}  // namespace qv
