// The telescope link's poll of a mount: what every idle poll costs the event loop. A simulated
// mount answers on a pseudo-terminal; each poll discards stale input, sends the position
// commands, collects the replies and turns them into a J2000 position: the LX-200's ":GR#" and
// ":GD#" with precession, an encoder box's "Q" through the two-star alignment, the line command
// set's answer of two lines.
#include <benchmark/benchmark.h>

#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "telescope/link.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

void PollSimulated(benchmark::State& state, TelescopeKind kind, MountProtocol protocol) {
  MountSimulator mount({.protocol = protocol, .highPrecision = true});
  mount.SetPosition(5 * 3600 + 34 * 60 + 30, 22 * 3600 + 52);
  mount.SetCounts(1234, -567);
  TelescopeLink link;
  TelescopeOptions options;
  options.TelescopeInterface = kind;
  options.TelescopeConnectionPort = int16_t(mount.PortNumber());
  const TelescopeSky sky{2460676.5, 1.0};
  if (ConnectTelescope(link, options, sky, TickCount()) != ResultOk) {
    state.SkipWithError("the simulated mount did not answer");
    return;
  }
  link.alignment.state = AlignmentAligned;  // encoder boxes: through the matrix
  Identity(link.alignment.matrix);
  for (auto _ : state) {
    if (PollTelescope(link, sky, TickCount()) == PollFailed) {
      state.SkipWithError("the simulated mount stopped answering");
      break;
    }
  }
  DisconnectTelescope(link);
}

void BM_PollSimulatedLX200(benchmark::State& state) {
  PollSimulated(state, TelescopeLX200, MountProtocol::Meade);
}
void BM_PollSimulatedEncoderBox(benchmark::State& state) {
  PollSimulated(state, TelescopeNGCMax, MountProtocol::EncoderBox);
}
void BM_PollSimulatedLineCommand(benchmark::State& state) {
  PollSimulated(state, TelescopeQEICoordinate, MountProtocol::LineCommand);
}
BENCHMARK(BM_PollSimulatedLX200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PollSimulatedEncoderBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PollSimulatedLineCommand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
