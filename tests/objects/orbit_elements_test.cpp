// Elements entered for another equinox, stored at J2000 and shown back.
#include "objects/orbit_elements.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/constants.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

TEST(OrbitElements, EntryForAnotherEquinoxRoundTrips) {
  // A comet's elements for the equinox of 1950 are stored turned to J2000, with its mean motion;
  // shown for 1950 again they come back (to single precision), and shown for 2000 they are the
  // stored values themselves.
  ElementEntry entry;
  entry.equinoxYear = 1950;
  entry.epoch = 2446470.5;
  entry.q = 0.587104;
  entry.e = 0.967277;
  entry.i = 162.23932 * Deg;
  entry.omega = 111.84658 * Deg;
  entry.node = 58.14397 * Deg;
  entry.m = 0;
  entry.magnitude1 = 5.5;
  entry.magnitude2 = HUGE_VAL;
  OrbitRecord orbit;
  orbit.omegaRate = 1;  // cleared by the entry
  StoreElementEntry(entry, GaussK2, orbit);
  EXPECT_EQ(orbit.epoch, 2446470.5 - 2400000.5);
  EXPECT_NEAR(orbit.meanMotion, MeanMotion(GaussK2, entry.q, entry.e), 1e-9);
  EXPECT_EQ(orbit.omegaRate, 0);
  EXPECT_EQ(orbit.magnitudeParam1, 550);
  EXPECT_EQ(orbit.magnitudeParam2, UnknownMagnitude);
  // From 1950 to 2000 the node moves by about 0.7 degree (general precession, 50"/yr).
  EXPECT_NEAR((orbit.node - entry.node) / Deg, 0.70, 0.05);
  const ElementEntry shown = ShowElementEntry(orbit, 1950);
  EXPECT_NEAR(shown.i, entry.i, 1e-6);
  EXPECT_NEAR(shown.omega, entry.omega, 1e-6);
  EXPECT_NEAR(shown.node, entry.node, 1e-6);
  EXPECT_TRUE(std::isinf(shown.magnitude2));
  const ElementEntry atJ2000 = ShowElementEntry(orbit, 2000);
  EXPECT_EQ(atJ2000.node, static_cast<double>(orbit.node));
  EXPECT_EQ(atJ2000.epoch, 2446470.5);
}

}  // namespace
}  // namespace qv
