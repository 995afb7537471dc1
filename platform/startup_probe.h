// platform/startup_probe.h - a hook for measuring the program's start-up from outside: with
// QUORVANE_EXIT_AT_FIRST_CHART set in the environment, the program prints to standard error how
// long after its process started the first chart was painted, and ends there.
#pragma once

namespace qv {

// StartupProbeRequested: the environment asks for the probe (read once).
bool StartupProbeRequested();

// EndStartupProbe: prints "first chart painted N ms after launch" and ends the process at once,
// exit status 0, without the program's usual quitting (nothing is saved).
[[noreturn]] void EndStartupProbe();

}  // namespace qv
