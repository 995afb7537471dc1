// objects/textfields.h - a star, deep-sky object or solar-system body as the fields of its object
// text line (objects/textimport.h), as the edit dialogs show them. Joined with tabs, the fields
// read back through ParseObjectLine into the same record, to the precision the fields show:
// 0.01 s of R.A., 0.1" of Dec., hundredths of magnitudes.
#pragma once

#include <string>
#include <vector>

#include "objects/records.h"

namespace qv {

// ObjectTextFields: the 12 fields of an "S" line or the 14 of a "P" line, positions and elements
// shown for the equinox (and epoch) of epochYear; unknown values are empty fields. No fields
// for other kinds.
std::vector<std::string> ObjectTextFields(const ObjectRecord& record, double epochYear = 2000.0);

}  // namespace qv
