// The telescope link's poll of a mount: what every idle poll costs the event loop. A simulated
// LX-200 answers on a pseudo-terminal: ":GR#" and ":GD#" with their replies, the discard of
// stale input before each, and the precession of the position to J2000.
#include <benchmark/benchmark.h>

#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "telescope/link.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

void BM_PollSimulatedLX200(benchmark::State& state) {
  MountSimulator mount({.highPrecision = true});
  mount.SetPosition(5 * 3600 + 34 * 60 + 30, 22 * 3600 + 52);
  TelescopeLink link;
  TelescopeOptions options;
  options.TelescopeConnectionPort = int16_t(mount.PortNumber());
  const TelescopeSky sky{2460676.5, 0};
  if (ConnectTelescope(link, options, sky, TickCount()) != ResultOk) {
    state.SkipWithError("the simulated mount did not answer");
    return;
  }
  for (auto _ : state) {
    if (PollTelescope(link, sky, TickCount()) == PollFailed) {
      state.SkipWithError("the simulated mount stopped answering");
      break;
    }
  }
  DisconnectTelescope(link);
}
BENCHMARK(BM_PollSimulatedLX200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
