// telescope/drivers.cpp - the driver table of each protocol family.
#include "telescope/driver.h"
#include "telescope/meade.h"

namespace qv {

const TelescopeDriver* DriverOf(ProtocolFamily family) {
  switch (family) {
    case ProtocolFamily::Meade:
      return &MeadeDriver;
    default:
      return nullptr;
  }
}

}  // namespace qv
