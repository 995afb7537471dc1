// settings/telescope_settings.h - the telescope's connection options as the settings record
// holds them, and the interfaces' names in settings files (and on qv's command line).
#pragma once

#include <string_view>

#include "settings/settings.h"
#include "telescope/telescope_options.h"

namespace qv {

// TelescopeInterfaceNames: the value names of TelescopeKind 1-13, in order.
inline constexpr const char* TelescopeInterfaceNames[] = {
    "LX200",     "MagellanI", "MagellanII", "Autostar", "Ultima2000",    "NexStar", "AstroMaster",
    "SkyWizard", "NGCMax",    "SkyVector",  "BBox",     "QEICoordinate", "INDI"};

// TelescopeKindNamed: the interface of a value name (any case); 0 when there is none.
int TelescopeKindNamed(std::string_view name);

// TelescopeOptionsOf: the link's options from the settings record.
TelescopeOptions TelescopeOptionsOf(const ChartSettings& s);

}  // namespace qv
