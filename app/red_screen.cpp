// app/red_screen.cpp - the red-screen mode (red_screen.h).
#include "app/red_screen.h"

#include <cstdint>

#include "platform/events.h"

namespace qv {
namespace {

struct RedScreenState {
  bool on = false;
  uint32_t saved[SystemColorCount] = {};  // the desktop's colours before the mode went on
};
RedScreenState state;

void ApplyRedColors() {
  uint32_t night[SystemColorCount];
  GetNightColorTable(night);
  SetSystemColorTable(night);
}

}  // namespace

void SetRedScreenColors(bool on) {
  if (on == state.on) return;
  if (on) {
    GetSystemColorTable(state.saved, 0);
    ApplyRedColors();
  } else {
    SetSystemColorTable(state.saved);
  }
  state.on = on;
}

bool RedScreenColorsOn() { return state.on; }

void SuspendRedScreen() {
  if (state.on) SetSystemColorTable(state.saved);
}

void ResumeRedScreen() {
  if (state.on) ApplyRedColors();
}

}  // namespace qv
