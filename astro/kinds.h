// astro/kinds.h - the kinds of bodies the astronomy core computes, as the object records carry
// them in their first byte, and the identifier by which the settings name an object. Kinds are
// tested as ranges everywhere: 1-38 a solar-system body, 51-65 a star or deep-sky object.
#pragma once

#include <cstdint>

namespace qv {

// ObjectId: database file number << 14 | index within the file (1..16383; the store uses
// 1..16000). 0 means "none" everywhere; every valid id is at least 16384.
using ObjectId = uint32_t;
constexpr ObjectId NoObject = 0;

using ObjectKind = uint8_t;
enum : ObjectKind {
  KindEmpty = 0,  // an empty slot, only in files
  KindSun = 1,
  KindMercury,
  KindVenus,
  KindEarth,
  KindMars,
  KindJupiter,
  KindSaturn,
  KindUranus,
  KindNeptune,
  KindPluto,
  KindComet = 11,
  KindAsteroid = 12,
  KindSpacecraft = 13,
  KindEarthSatellite = 14,
  KindMoon = 15,  // the Earth's moon
  KindPhobos = 16,
  KindDeimos,
  KindIo,
  KindEuropa,
  KindGanymede,
  KindCallisto,
  KindMimas,
  KindEnceladus,
  KindTethys,
  KindDione,
  KindRhea,
  KindTitan,
  KindHyperion,
  KindIapetus,
  KindPhoebe,
  KindMiranda,
  KindAriel,
  KindUmbriel,
  KindTitania,
  KindOberon,
  KindTriton,
  KindNereid,
  KindCharon = 38,
  KindSingleStar = 51,
  KindMultipleStar = 52,
  KindVariableStar = 53,
  KindMultipleVariableStar = 54,
  KindGscStar = 55,     // compact on disk
  KindGscNonStar = 56,  // compact on disk
  KindOpenCluster = 61,
  KindGlobularCluster = 62,
  KindDiffuseNebula = 63,
  KindPlanetaryNebula = 64,
  KindGalaxy = 65,
  KindObjectLine = 91,    // joins two database objects
  KindPositionLine = 92,  // joins two fixed sky positions
  KindOtherLine = 93,     // carried unchanged
  KindLocation = 101,
};

constexpr bool IsSolarSystemKind(int kind) { return kind >= 1 && kind <= 38; }
constexpr bool IsSkyObjectKind(int kind) { return kind >= 51 && kind <= 65; }
constexpr bool IsStarKind(int kind) { return kind >= 51 && kind <= 56; }
constexpr bool IsDeepSkyKind(int kind) { return kind >= 61 && kind <= 65; }

}  // namespace qv
