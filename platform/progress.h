// platform/progress.h - the progress box for long work (import, name search, ephemeris).
// One box, reused, shown once InitPlatform has run. Before that it shows nothing and only a
// test hook can cancel it, so long work runs to its end.
#pragma once

#include <functional>

namespace qv {

// OpenProgress: shows the box; the bar maps value to
//   (value + (end - start) * factor - start) / ((end - start) * total) of its width.
// message and title (nullptr keeps the box's own) replace its texts; Cancel only when
// cancellable. Returns false when the box cannot be shown (the work goes on without it).
bool OpenProgress(double total, double start, double end, double factor, const char* message,
                  const char* title, bool cancellable);
// UpdateProgress: 1 to go on, 0 when the user cancelled.
int UpdateProgress(double value);
void CloseProgress();

// ProgressHook: tests see each update's bar fraction (0..1) and return false to cancel.
// An empty hook restores the normal box. Returns the previous hook.
using ProgressHook = std::function<bool(double fraction)>;
ProgressHook SetProgressHook(ProgressHook hook);

}  // namespace qv
