// app/computation_dialogs.h - the dialogs of the Computation menu that edit the viewpoint, the
// time and the computation options of the settings record: Location (259), Date & Time (260)
// and Precision (261). Each returns 1 after OK (the settings changed; the caller refreshes the
// chart) and 0 after Cancel, which changes nothing.
#pragma once

namespace qv {

int RunLocationDialog();
int RunDateTimeDialog();
int RunPrecisionDialog();

}  // namespace qv
