// app/shell.cpp - the shell's state and the seams of later parts (shell.h).
#include "app/shell.h"

namespace qv {

ShellState& Shell() {
  static ShellState state;
  return state;
}

ShellHooks& Hooks() {
  static ShellHooks hooks;
  return hooks;
}

}  // namespace qv
