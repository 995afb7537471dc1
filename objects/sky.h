// objects/sky.h - the sky of the object store: sky contexts whose viewer may be any star,
// deep-sky object or solar-system body of the store, and the current sky, the one context the
// records' cached places belong to, with the two generation counters stamped into them.
//
// A record computed for the current sky carries the counter that governs its kind
// (StarGeneration for stars and deep-sky objects, PlanetGeneration for solar-system bodies); it
// goes stale when the current sky changes in a way that moves it, and is recomputed before use.
// Places for any other context are computed without touching a record (objects/apparent.h).
#pragma once

#include <cstdint>

#include "astro/skycontext.h"
#include "objects/records.h"

namespace qv {

// MakeSkyContext: the context of the settings, viewed from their viewer object when the store
// holds it (a star, deep-sky object or solar-system body), else from the Earth site on the
// Earth's record, or on the built-in Earth when the store has none. The context's viewer is 0
// when the viewer object no longer exists.
SkyContext MakeSkyContext(const ObservingSettings& settings);

// The current sky, and the counters of its places. Both counters start at 1.
const SkyContext& CurrentSky();
uint32_t StarGeneration();
uint32_t PlanetGeneration();

// SetCurrentSky: makes the context the current sky and advances each counter whose inputs
// changed: the stars' when the viewer moved while parallax applies, the velocity changed while
// aberration is on, the motion, parallax or aberration flag changed, or the time changed while
// stars move or aberration is on; the bodies' when the viewer, a theory, light time,
// aberration or the time changed.
void SetCurrentSky(const SkyContext& context);

// AdvanceStarGeneration / AdvancePlanetGeneration: a counter value never handed out before, so
// that every cached place of that kind is computed again.
void AdvanceStarGeneration();
void AdvancePlanetGeneration();

// SolarSystemBodyOfKind: the first record of a solar-system kind in the store (only files that
// hold solar-system bodies are searched), remembered and checked again on every use; none when
// the store has none. EarthRecord is the one of kind 4: without it the Earth's place comes from
// the built-in theory.
ObjectRecord* SolarSystemBodyOfKind(int kind);
ObjectRecord* EarthRecord();

}  // namespace qv
