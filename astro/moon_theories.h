// astro/moon_theories.h - the theories of each planet's moons, behind MoonTheory and MoonFrame.
// Internal to astro/moons*.cpp.
#pragma once

#include "astro/moons.h"

namespace qv {

MoonElements MarsMoonTheory(int kind, double t);
void MarsMoonFrame(int kind, double t, Matrix3& m);
const Matrix3& JupiterMoonFrame();
MoonElements SaturnMoonTheory(int kind, double t);
const Matrix3& SaturnMoonFrame(int kind);
MoonElements UranusMoonTheory(int kind, double t);
const Matrix3& UranusMoonFrame();
MoonElements NeptuneMoonTheory(int kind, double t);
void NeptuneMoonFrame(int kind, double t, Matrix3& m);
MoonElements CharonTheory(double t);

// Degrees (any size) to radians in [0, 2 pi).
double ReducedDegrees(double degrees);
// Degrees reduced with fmod (keeping their sign), in radians: the form some theories use.
double Fmod360ToRadians(double degrees);

}  // namespace qv
