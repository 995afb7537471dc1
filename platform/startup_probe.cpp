// platform/startup_probe.cpp - the start-up probe (startup_probe.h). The launch time is the
// process's start as the kernel recorded it (clock ticks since boot), so loading the program's
// libraries counts too.
#include "platform/startup_probe.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace qv {
namespace {

// Milliseconds from the process's start to now, or -1 when the kernel does not say.
long MillisecondsSinceLaunch() {
  std::ifstream file("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');  // the command name may hold spaces
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  for (int i = 3; i < 22 && fields >> field; ++i) {  // fields 3-21 come before the start time
  }
  unsigned long long startTicks = 0;
  if (!(fields >> startTicks)) return -1;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (ticksPerSecond <= 0) return -1;
  const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
  return static_cast<long>(nowMs - startTicks * 1000.0 / ticksPerSecond);
}

}  // namespace

bool StartupProbeRequested() {
  static const bool requested = std::getenv("QUORVANE_EXIT_AT_FIRST_CHART") != nullptr;
  return requested;
}

void EndStartupProbe() {
  std::fprintf(stderr, "first chart painted %ld ms after launch\n", MillisecondsSinceLaunch());
  std::fflush(stderr);
  std::_Exit(0);
}

}  // namespace qv
