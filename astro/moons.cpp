// astro/moons.cpp - dispatch of the moon theories and their frames (theories in moons_*.cpp).
#include "astro/moons.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kepler.h"
#include "astro/kinds.h"
#include "astro/moon_theories.h"

namespace qv {

double ReducedDegrees(double degrees) { return NormalizeAngle(degrees * DegToRad); }
double Fmod360ToRadians(double degrees) { return std::fmod(degrees, 360.0) * DegToRad; }

const Matrix3& PrecessionFrom1950() {
  static const Matrix3 m = [] {
    Matrix3 p;
    PrecessionMatrix(p, B1950, J2000, false);
    return p;
  }();
  return m;
}

MoonElements MoonTheory(int kind, double t) {
  if (kind == KindPhobos || kind == KindDeimos) return MarsMoonTheory(kind, t);
  if (kind >= KindMimas && kind <= KindPhoebe) return SaturnMoonTheory(kind, t);
  if (kind >= KindMiranda && kind <= KindOberon) return UranusMoonTheory(kind, t);
  if (kind == KindTriton || kind == KindNereid) return NeptuneMoonTheory(kind, t);
  if (kind == KindCharon) return CharonTheory(t);
  return MoonElements{};
}

void MoonFrame(int kind, double t, Matrix3& m) {
  if (kind == KindPhobos || kind == KindDeimos) return MarsMoonFrame(kind, t, m);
  if (kind >= KindIo && kind <= KindCallisto)
    m = JupiterMoonFrame();
  else if (kind >= KindMimas && kind <= KindPhoebe)
    m = SaturnMoonFrame(kind);
  else if (kind >= KindMiranda && kind <= KindOberon)
    m = UranusMoonFrame();
  else if (kind == KindTriton || kind == KindNereid)
    NeptuneMoonFrame(kind, t, m);
  else if (kind == KindCharon)
    m = PrecessionFrom1950();
  else
    Identity(m);
}

Vector3 MoonPosition(int kind, double t) {
  if (kind < KindPhobos || kind > KindCharon) return Vector3{};
  Vector3 p;
  if (kind >= KindIo && kind <= KindCallisto) {
    p = JupiterMoonRectangular(kind, t);
  } else {
    const MoonElements el = MoonTheory(kind, t);
    p = ElementsToPosition(el.a * (1 - el.e), el.e, el.i, el.varpi - el.node, el.node, el.m);
  }
  Matrix3 frame;
  MoonFrame(kind, t, frame);
  Transform(frame, p);
  return p;
}

}  // namespace qv
