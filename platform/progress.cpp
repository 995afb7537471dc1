// platform/progress.cpp - progress bookkeeping shared by the box and the test hook. The box is
// shown once the platform has an application object; before that (and in tools that never make
// one) progress is silent and only the hook can cancel.
#include "platform/progress.h"

#include <utility>

#include "platform/boxes_qt.h"

namespace qv {
namespace {

struct ProgressState {
  bool open = false;
  bool boxShown = false;
  double total = 1, start = 0, end = 1, factor = 0;
};

ProgressState state;
ProgressHook hook;

double BarFraction(double value) {
  const double span = (state.end - state.start) * state.total;
  return span == 0 ? 0 : (value + (state.end - state.start) * state.factor - state.start) / span;
}

}  // namespace

bool OpenProgress(double total, double start, double end, double factor, const char* message,
                  const char* title, bool cancellable) {
  state = ProgressState{true, false, total, start, end, factor};
  state.boxShown = ProgressBoxOpen(message, title, cancellable);
  return true;
}

int UpdateProgress(double value) {
  if (!state.open) return 1;
  const double fraction = BarFraction(value);
  if (state.boxShown && !ProgressBoxMove(fraction)) return 0;
  if (hook && !hook(fraction)) return 0;
  return 1;
}

void CloseProgress() {
  if (state.boxShown) ProgressBoxClose();
  state.open = false;
}

ProgressHook SetProgressHook(ProgressHook h) {
  ProgressHook previous = std::move(hook);
  hook = std::move(h);
  return previous;
}

}  // namespace qv
