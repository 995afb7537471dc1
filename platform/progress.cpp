// platform/progress.cpp - progress bookkeeping shared by the box and the test hook.
#include "platform/progress.h"

#include <utility>

namespace qv {
namespace {

struct ProgressState {
  bool open = false;
  double total = 1, start = 0, end = 1, factor = 0;
};

ProgressState state;
ProgressHook hook;

double BarFraction(double value) {
  const double span = (state.end - state.start) * state.total;
  return span == 0 ? 0 : (value + (state.end - state.start) * state.factor - state.start) / span;
}

}  // namespace

bool OpenProgress(double total, double start, double end, double factor, const char* /*message*/,
                  const char* /*title*/, bool /*cancellable*/) {
  state = ProgressState{true, total, start, end, factor};
  return true;
}

int UpdateProgress(double value) {
  if (!state.open) return 1;
  if (hook && !hook(BarFraction(value))) return 0;
  return 1;
}

void CloseProgress() { state.open = false; }

ProgressHook SetProgressHook(ProgressHook h) {
  ProgressHook previous = std::move(hook);
  hook = std::move(h);
  return previous;
}

}  // namespace qv
