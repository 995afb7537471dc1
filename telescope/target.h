// telescope/target.h - the telescope's target taken from a database object, and the texts the
// control window shows for it.
#pragma once

#include <string>

#include "objects/records.h"
#include "telescope/link.h"

namespace qv {

// TargetFromObject: the object and its current direction (J2000, as the chart last computed
// it; the caller brings it up to date).
TelescopeTarget TargetFromObject(const ObjectRecord& record);

// TargetSizeText: the angular size, in arcminutes ("12.5'") for deep-sky objects and in
// arcseconds ("17.3\"") for others; empty when the size is not above 0.
std::string TargetSizeText(const ObjectRecord& record);

}  // namespace qv
