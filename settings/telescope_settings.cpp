// settings/telescope_settings.cpp - the telescope's options from the settings
// (telescope_settings.h).
#include "settings/telescope_settings.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace qv {

int TelescopeKindNamed(std::string_view name) {
  const auto lower = [](std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
  };
  for (int kind = TelescopeLX200; kind <= TelescopeKindCount; ++kind) {
    if (lower(TelescopeInterfaceNames[kind - 1]) == lower(name)) return kind;
  }
  return 0;
}

TelescopeOptions TelescopeOptionsOf(const ChartSettings& s) {
  TelescopeOptions o;
  o.TelescopeInterface = s.TelescopeInterface;
  o.TelescopeConnectionPort = s.TelescopeConnectionPort;
  o.TelescopeEmulated = s.TelescopeEmulated;
  o.TelescopeUpdatesPerSec = s.TelescopeUpdatesPerSec;
  o.TelescopeLonEncoderSteps = s.TelescopeLonEncoderSteps;
  o.TelescopeLatEncoderSteps = s.TelescopeLatEncoderSteps;
  o.TelescopeEncodersSwapped = s.TelescopeEncodersSwapped;
  o.TelescopeMountType = s.TelescopeMountType;
  o.TelescopeINDIHost = s.TelescopeINDIHost;
  o.TelescopeINDIPort = s.TelescopeINDIPort;
  o.TelescopeINDIDevice = s.TelescopeINDIDevice;
  return o;
}

}  // namespace qv
