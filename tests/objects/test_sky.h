// The observing settings of a test's sky and the current sky made from them: the program's
// settings record belongs to a layer above the object store, so these tests keep their own.
#pragma once

#include "astro/observing.h"
#include "objects/sky.h"

namespace qv::test {

inline ObservingSettings& Observing() {
  static ObservingSettings observing;
  return observing;
}

// UpdateSky: Observing() becomes the current sky; a viewer object that is gone is cleared.
inline void UpdateSky() {
  const SkyContext sky = MakeSkyContext(Observing());
  Observing().ViewerObject = sky.viewer;
  SetCurrentSky(sky);
}

}  // namespace qv::test
