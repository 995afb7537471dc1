// telescope/drivers.cpp - the driver table of each protocol family.
#include "telescope/driver.h"
#include "telescope/encoder_box.h"
#include "telescope/indi.h"
#include "telescope/line_command.h"
#include "telescope/meade.h"
#include "telescope/nexstar.h"
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

}  // namespace qv
