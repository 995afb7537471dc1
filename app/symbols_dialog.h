// app/symbols_dialog.h - the Symbols & Grids dialog (262, Draw > Symbols & Grids...): which stars,
// planets, deep-sky objects, constellations and grid lines the chart draws, and their magnitude
// limits and grid intervals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// RunSymbolsGridsDialog: shows the settings record in dialog 262; OK reads every item back into
// the record and returns true (the caller redraws), Cancel changes nothing and returns false.
bool RunSymbolsGridsDialog();

// ---- The texts of the dialog's fields ----------------------------------------------------------

// MagnitudeFieldText: hundredths as magnitudes with one decimal (two when the value has them, so
// that OK on an unchanged dialog keeps it); empty for NoMagnitudeLimit when a limit may be absent.
std::string MagnitudeFieldText(int16_t hundredths, bool mayBeAbsent);

// ReadMagnitudeField: a typed magnitude into hundredths. When a limit may be absent, an empty or
// all-blank text means no limit. Text that holds no number leaves the field as it was.
void ReadMagnitudeField(std::string_view text, bool mayBeAbsent, int16_t& hundredths);

// Grid intervals: "hours minutes" (right ascension) or "degrees arcminutes" (declination).
struct IntervalUnits {
  double perRadian;   // shown units per radian
  double radiansPer;  // radians per typed unit
  double least;       // the smallest interval, radians: one minute of the unit
};
extern const IntervalUnits RightAscensionInterval;
extern const IntervalUnits DeclinationInterval;

// IntervalFieldText: whole units and minutes, "%02hd %02.0f", minutes rounded with a carry so
// that 59.7 minutes shows as the next whole unit.
std::string IntervalFieldText(double radians, const IntervalUnits& units);

// ReadIntervalField: "units minutes" as scanf's "%hd%lf" reads them (missing minutes are 0); a
// result of 0 or less becomes the least interval. Text without a number leaves it as it was.
void ReadIntervalField(std::string_view text, const IntervalUnits& units, double& radians);

}  // namespace qv
