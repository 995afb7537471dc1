// app/ephemeris_dialogs.h - the dialogs that compute over a range of dates: File > Export >
// Ephemeris As... (Save Ephemeris, 267) and Computation > Find Configuration... (266). Each
// remembers its objects, dates and step for the run (the first use offers the chart's time and a
// year on), computes with sky contexts of its own dates and leaves the chart's time as it was.
#pragma once

namespace qv {

// ExportEphemeris: the dialog, then the save-file dialog, then the table written into the chosen
// file by WriteEphemerisFile (chart/ephemeris.h) with its cancellable progress box.
void ExportEphemeris();

// RunFindConfigurationDialog: searches until Done (0) or Display (1): Display has centred object A
// and set the chart's time to the result's date; the caller refreshes the chart.
int RunFindConfigurationDialog();

}  // namespace qv
