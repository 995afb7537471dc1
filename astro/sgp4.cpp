// astro/sgp4.cpp - SGP4/SDP4. Sources in sgp4.h; the variable names follow the report's
// equations [R3, V] so that each line can be checked against them.
#include "astro/sgp4.h"

#include <cmath>
#include <span>

namespace qv {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2 * Pi;
constexpr double X2o3 = 2.0 / 3.0;

// WGS-72, the Earth model the element sets are fitted with [V].
constexpr double EarthRadiusKm = 6378.135;
constexpr double EarthMu = 398600.8;  // km^3/s^2
const double Xke = 60.0 / std::sqrt(EarthRadiusKm * EarthRadiusKm * EarthRadiusKm / EarthMu);
constexpr double J2 = 0.001082616, J3 = -0.00000253881, J4 = -0.00000165597;
constexpr double J3oJ2 = J3 / J2;

constexpr double RevPerDayToRadPerMin = TwoPi / 1440.0;
constexpr double DeepSpacePeriodMin = 225.0;  // minutes: SDP4 from here on
constexpr double SimpleDragPerigeeKm = 220.0;
constexpr double EpochOrigin = 2433281.5;  // JD of 1950 January 0.0: the report's day count
constexpr double EarthRotation = 4.37526908801129966e-3;  // radians per minute (rptim)
constexpr double LowInclination = 0.2;                    // radians: Lyddane's form below
constexpr double SmallEccentricity = 1.0e-4;              // no eccentricity-scaled drag below
constexpr double TinyDenominator = 1.5e-12;               // for inclinations of 180 degrees

// Greenwich mean sidereal time (IAU 1982) of a UT Julian date, radians [V gstime].
double GreenwichSiderealTime(double jdUt) {
  const double t = (jdUt - 2451545.0) / 36525.0;
  const double seconds =
      -6.2e-6 * t * t * t + 0.093104 * t * t + (876600.0 * 3600 + 8640184.812866) * t + 67310.54841;
  double theta = std::fmod(seconds * (Pi / 180) / 240.0, TwoPi);
  if (theta < 0) theta += TwoPi;
  return theta;
}

// ---- Lunar and solar terms (the report's dscom, dpper, dsinit and dspace) ----

constexpr double Zns = 1.19459e-5, Znl = 1.5835218e-4;  // mean motions of Sun, Moon (rad/min)
constexpr double Zes = 0.01675, Zel = 0.05490;          // eccentricities of their orbits

// What dscom finds at the epoch for the secular rates and the resonances.
struct LunisolarGeometry {
  double sinim, cosim, emsq;
  double s1, s2, s3, s4, s5;  // lunar
  double z1, z3, z11, z13, z21, z23, z31, z33;
  double ss1, ss2, ss3, ss4, ss5;  // solar
  double sz1, sz3, sz11, sz13, sz21, sz23, sz31, sz33;
};

// The coefficients of one perturbing body (Sun or Moon) for the orbit's orientation.
struct BodyTerms {
  double s1, s2, s3, s4, s5, s6, s7;
  double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
};

struct BodyOrientation {
  double cosg, sing, cosi, sini, cosh, sinh, cc;
};

BodyTerms TermsOfBody(const BodyOrientation& b, double cosim, double sinim, double cosomm,
                      double sinomm, double em, double emsq, double nm) {
  const double betasq = 1 - emsq, rtemsq = std::sqrt(betasq);
  const double a1 = b.cosg * b.cosh + b.sing * b.cosi * b.sinh;
  const double a3 = -b.sing * b.cosh + b.cosg * b.cosi * b.sinh;
  const double a7 = -b.cosg * b.sinh + b.sing * b.cosi * b.cosh;
  const double a8 = b.sing * b.sini;
  const double a9 = b.sing * b.sinh + b.cosg * b.cosi * b.cosh;
  const double a10 = b.cosg * b.sini;
  const double a2 = cosim * a7 + sinim * a8;
  const double a4 = cosim * a9 + sinim * a10;
  const double a5 = -sinim * a7 + cosim * a8;
  const double a6 = -sinim * a9 + cosim * a10;
  const double x1 = a1 * cosomm + a2 * sinomm;
  const double x2 = a3 * cosomm + a4 * sinomm;
  const double x3 = -a1 * sinomm + a2 * cosomm;
  const double x4 = -a3 * sinomm + a4 * cosomm;
  const double x5 = a5 * sinomm, x6 = a6 * sinomm, x7 = a5 * cosomm, x8 = a6 * cosomm;
  BodyTerms t;
  t.z31 = 12 * x1 * x1 - 3 * x3 * x3;
  t.z32 = 24 * x1 * x2 - 6 * x3 * x4;
  t.z33 = 12 * x2 * x2 - 3 * x4 * x4;
  t.z1 = 3 * (a1 * a1 + a2 * a2) + t.z31 * emsq;
  t.z2 = 6 * (a1 * a3 + a2 * a4) + t.z32 * emsq;
  t.z3 = 3 * (a3 * a3 + a4 * a4) + t.z33 * emsq;
  t.z11 = -6 * a1 * a5 + emsq * (-24 * x1 * x7 - 6 * x3 * x5);
  t.z12 = -6 * (a1 * a6 + a3 * a5) + emsq * (-24 * (x2 * x7 + x1 * x8) - 6 * (x3 * x6 + x4 * x5));
  t.z13 = -6 * a3 * a6 + emsq * (-24 * x2 * x8 - 6 * x4 * x6);
  t.z21 = 6 * a2 * a5 + emsq * (24 * x1 * x5 - 6 * x3 * x7);
  t.z22 = 6 * (a4 * a5 + a2 * a6) + emsq * (24 * (x2 * x5 + x1 * x6) - 6 * (x4 * x7 + x3 * x8));
  t.z23 = 6 * a4 * a6 + emsq * (24 * x2 * x6 - 6 * x4 * x8);
  t.z1 = t.z1 + t.z1 + betasq * t.z31;
  t.z2 = t.z2 + t.z2 + betasq * t.z32;
  t.z3 = t.z3 + t.z3 + betasq * t.z33;
  t.s3 = b.cc / nm;
  t.s2 = -0.5 * t.s3 / rtemsq;
  t.s4 = t.s3 * rtemsq;
  t.s1 = -15 * em * t.s4;
  t.s5 = x1 * x3 + x2 * x4;
  t.s6 = x2 * x3 + x1 * x4;
  t.s7 = x2 * x4 - x1 * x3;
  return t;
}

// dscom's periodic coefficients of one body.
Sgp4BodyPeriodics PeriodicsOfBody(const BodyTerms& b, double emsq, double eccentricity, double rate,
                                  double anomaly) {
  Sgp4BodyPeriodics p;
  p.e2 = 2 * b.s1 * b.s6;
  p.e3 = 2 * b.s1 * b.s7;
  p.i2 = 2 * b.s2 * b.z12;
  p.i3 = 2 * b.s2 * (b.z13 - b.z11);
  p.l2 = -2 * b.s3 * b.z2;
  p.l3 = -2 * b.s3 * (b.z3 - b.z1);
  p.l4 = -2 * b.s3 * (-21 - 9 * emsq) * eccentricity;
  p.gh2 = 2 * b.s4 * b.z32;
  p.gh3 = 2 * b.s4 * (b.z33 - b.z31);
  p.gh4 = -18 * b.s4 * eccentricity;
  p.h2 = -2 * b.s2 * b.z22;
  p.h3 = -2 * b.s2 * (b.z23 - b.z21);
  p.anomaly = anomaly;
  p.rate = rate;
  p.eccentricity = eccentricity;
  return p;
}

// dscom: the geometry of the Sun and the Moon at the epoch and the periodic coefficients.
LunisolarGeometry LunisolarAtEpoch(const Sgp4Orbit& orbit, Sgp4LunisolarTerms& periodic) {
  constexpr double C1ss = 2.9864797e-6, C1l = 4.7968065e-7;   // strengths of Sun and Moon
  constexpr double Zsinis = 0.39785416, Zcosis = 0.91744867;  // the ecliptic's obliquity
  constexpr double Zcosgs = 0.1945905, Zsings = -0.98088458;  // the Sun's perigee
  const Sgp4Elements& el = orbit.elements;
  const double nm = orbit.no, em = el.e;
  const double snodm = std::sin(el.node), cnodm = std::cos(el.node);
  const double sinomm = std::sin(el.omega), cosomm = std::cos(el.omega);
  const double sinim = std::sin(el.i), cosim = std::cos(el.i);
  const double emsq = em * em;
  const double day = el.epoch - EpochOrigin + 18261.5;  // days from 2000 January 1.5 (tc = 0)
  const double xnodce = std::fmod(4.5236020 - 9.2422029e-4 * day, TwoPi);
  const double stem = std::sin(xnodce), ctem = std::cos(xnodce);
  const double zcosil = 0.91375164 - 0.03568096 * ctem;
  const double zsinil = std::sqrt(1 - zcosil * zcosil);
  const double zsinhl = 0.089683511 * stem / zsinil;
  const double zcoshl = std::sqrt(1 - zsinhl * zsinhl);
  const double gam = 5.8351514 + 0.0019443680 * day;
  double zx = 0.39785416 * stem / zsinil;
  const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
  zx = std::atan2(zx, zy);
  zx = gam + zx - xnodce;
  const double zcosgl = std::cos(zx), zsingl = std::sin(zx);

  const BodyTerms sun = TermsOfBody({Zcosgs, Zsings, Zcosis, Zsinis, cnodm, snodm, C1ss}, cosim,
                                    sinim, cosomm, sinomm, em, emsq, nm);
  const BodyTerms moon =
      TermsOfBody({zcosgl, zsingl, zcosil, zsinil, zcoshl * cnodm + zsinhl * snodm,
                   snodm * zcoshl - cnodm * zsinhl, C1l},
                  cosim, sinim, cosomm, sinomm, em, emsq, nm);

  periodic.sun =
      PeriodicsOfBody(sun, emsq, Zes, Zns, std::fmod(6.2565837 + 0.017201977 * day, TwoPi));
  periodic.moon =
      PeriodicsOfBody(moon, emsq, Zel, Znl, std::fmod(4.7199672 + 0.22997150 * day - gam, TwoPi));

  return LunisolarGeometry{sinim,    cosim,    emsq,     moon.s1,  moon.s2,  moon.s3,
                           moon.s4,  moon.s5,  moon.z1,  moon.z3,  moon.z11, moon.z13,
                           moon.z21, moon.z23, moon.z31, moon.z33, sun.s1,   sun.s2,
                           sun.s3,   sun.s4,   sun.s5,   sun.z1,   sun.z3,   sun.z11,
                           sun.z13,  sun.z21,  sun.z23,  sun.z31,  sun.z33};
}

// dsinit, first half: the secular rates of e, i, M, the perigee and the node.
void LunisolarRates(const Sgp4Orbit& orbit, const LunisolarGeometry& g, Sgp4DeepSecular& out) {
  constexpr double NearEquatorial = 5.2359877e-2;  // 3 degrees: the node rate is left out
  const double inclm = orbit.elements.i, emsq = g.emsq;
  const bool nearEquator = inclm < NearEquatorial || inclm > Pi - NearEquatorial;
  const double ses = g.ss1 * Zns * g.ss5;
  const double sis = g.ss2 * Zns * (g.sz11 + g.sz13);
  const double sls = -Zns * g.ss3 * (g.sz1 + g.sz3 - 14 - 6 * emsq);
  const double sghs = g.ss4 * Zns * (g.sz31 + g.sz33 - 6);
  double shs = nearEquator ? 0 : -Zns * g.ss2 * (g.sz21 + g.sz23);
  if (g.sinim != 0) shs /= g.sinim;
  const double sgs = sghs - g.cosim * shs;
  out.dedt = ses + g.s1 * Znl * g.s5;
  out.didt = sis + g.s2 * Znl * (g.z11 + g.z13);
  out.dmdt = sls - Znl * g.s3 * (g.z1 + g.z3 - 14 - 6 * emsq);
  const double sghl = g.s4 * Znl * (g.z31 + g.z33 - 6);
  const double shll = nearEquator ? 0 : -Znl * g.s2 * (g.z21 + g.z23);
  out.domdt = sgs + sghl;
  out.dnodt = shs;
  if (g.sinim != 0) {
    out.domdt -= g.cosim / g.sinim * shll;
    out.dnodt += shll / g.sinim;
  }
}

// The eccentricity functions G of the 12-hour resonance, cubics in e [R3]: c0 + c1 e + c2 e^2 +
// c3 e^3.
struct Cubic {
  double c0, c1, c2, c3;
};

double Evaluate(const Cubic& c, double e, double e2, double e3) {
  return c.c0 + c.c1 * e + c.c2 * e2 + c.c3 * e3;
}

// G211, G310, G322, G410, G422 for e <= 0.65 and above.
constexpr Cubic GLowEccentricity[] = {{3.616, -13.2470, 16.2900, 0},
                                      {-19.302, 117.3900, -228.4190, 156.5910},
                                      {-18.9068, 109.7927, -214.6334, 146.5816},
                                      {-41.122, 242.6940, -471.0940, 313.9530},
                                      {-146.407, 841.8800, -1629.014, 1083.4350}};
constexpr Cubic GHighEccentricity[] = {{-72.099, 331.819, -508.738, 266.724},
                                       {-346.844, 1582.851, -2415.925, 1246.113},
                                       {-342.585, 1554.908, -2366.899, 1215.972},
                                       {-1052.797, 4758.686, -7193.992, 3651.957},
                                       {-3581.690, 16178.110, -24462.770, 12422.520}};
// G520 for e <= 0.65, up to 0.715, above.
constexpr Cubic G520[] = {{-532.114, 3017.977, -5740.032, 3708.2760},
                          {1464.74, -4664.75, 3763.64, 0},
                          {-5149.66, 29936.92, -54087.36, 31324.56}};
// G533, G521, G532 for e < 0.7 and from 0.7 on.
constexpr Cubic G5[2][3] = {{{-919.22770, 4988.6100, -9064.7700, 5542.21},
                             {-822.71072, 4568.6173, -8491.4146, 5337.524},
                             {-853.66600, 4690.2500, -8624.7700, 5341.4}},
                            {{-37995.780, 161616.52, -229838.20, 109377.94},
                             {-51752.104, 218913.95, -309468.16, 146349.42},
                             {-40023.880, 170470.89, -242699.48, 115605.82}}};

// dsinit, the 12-hour resonance of eccentric orbits (Molniya): the G and F functions.
void HalfDayResonance(const Sgp4Orbit& orbit, const LunisolarGeometry& g, double aonv, double theta,
                      Sgp4DeepSecular& r) {
  constexpr double Root22 = 1.7891679e-6, Root32 = 3.7393792e-7, Root44 = 7.3636953e-9;
  constexpr double Root52 = 1.1428639e-7, Root54 = 2.1765803e-9;
  const Sgp4Elements& el = orbit.elements;
  const double cosim = g.cosim, sinim = g.sinim, cosisq = cosim * cosim;
  const double em = el.e, emsq = em * em, eoc = em * emsq;
  const double g201 = -0.306 - (em - 0.64) * 0.440;
  const Cubic* low = em <= 0.65 ? GLowEccentricity : GHighEccentricity;
  const double g211 = Evaluate(low[0], em, emsq, eoc), g310 = Evaluate(low[1], em, emsq, eoc);
  const double g322 = Evaluate(low[2], em, emsq, eoc), g410 = Evaluate(low[3], em, emsq, eoc);
  const double g422 = Evaluate(low[4], em, emsq, eoc);
  const double g520 = Evaluate(G520[em <= 0.65 ? 0 : em > 0.715 ? 2 : 1], em, emsq, eoc);
  const Cubic* high = G5[em < 0.7 ? 0 : 1];
  const double g533 = Evaluate(high[0], em, emsq, eoc), g521 = Evaluate(high[1], em, emsq, eoc);
  const double g532 = Evaluate(high[2], em, emsq, eoc);
  const double sini2 = sinim * sinim;
  const double f220 = 0.75 * (1 + 2 * cosim + cosisq);
  const double f221 = 1.5 * sini2;
  const double f321 = 1.875 * sinim * (1 - 2 * cosim - 3 * cosisq);
  const double f322 = -1.875 * sinim * (1 + 2 * cosim - 3 * cosisq);
  const double f441 = 35 * sini2 * f220;
  const double f442 = 39.3750 * sini2 * sini2;
  const double f522 =
      9.84375 * sinim *
      (sini2 * (1 - 2 * cosim - 5 * cosisq) + 0.33333333 * (-2 + 4 * cosim + 6 * cosisq));
  const double f523 = sinim * (4.92187512 * sini2 * (-2 - 4 * cosim + 10 * cosisq) +
                               6.56250012 * (1 + 2 * cosim - 3 * cosisq));
  const double f542 = 29.53125 * sinim * (2 - 8 * cosim + cosisq * (-12 + 8 * cosim + 10 * cosisq));
  const double f543 = 29.53125 * sinim * (-2 - 8 * cosim + cosisq * (12 + 8 * cosim - 10 * cosisq));
  // 3 n^2 / a^k for the degrees k = 2 to 5 of the geopotential terms (a in Earth radii).
  const double a2 = 3 * orbit.no * orbit.no * aonv * aonv, a3 = a2 * aonv, a4 = a3 * aonv;
  const double a5 = a4 * aonv;
  const double c22 = a2 * Root22, c32 = a3 * Root32, c44 = 2 * a4 * Root44;
  const double c52 = a5 * Root52, c54 = 2 * a5 * Root54;
  r.d2201 = c22 * f220 * g201;
  r.d2211 = c22 * f221 * g211;
  r.d3210 = c32 * f321 * g310;
  r.d3222 = c32 * f322 * g322;
  r.d4410 = c44 * f441 * g410;
  r.d4422 = c44 * f442 * g422;
  r.d5220 = c52 * f522 * g520;
  r.d5232 = c52 * f523 * g532;
  r.d5421 = c54 * f542 * g521;
  r.d5433 = c54 * f543 * g533;
  r.xlamo = std::fmod(el.m + el.node + el.node - theta - theta, TwoPi);
  r.xfact = orbit.mdot + r.dmdt + 2 * (orbit.nodedot + r.dnodt - EarthRotation) - orbit.no;
}

// dsinit, the one-day resonance of geosynchronous orbits.
void OneDayResonance(const Sgp4Orbit& orbit, const LunisolarGeometry& g, double aonv, double theta,
                     Sgp4DeepSecular& r) {
  constexpr double Q22 = 1.7891679e-6, Q31 = 2.1460748e-6, Q33 = 2.2123015e-7;
  const Sgp4Elements& el = orbit.elements;
  const double cosim = g.cosim, sinim = g.sinim, emsq = g.emsq;
  const double g200 = 1 + emsq * (-2.5 + 0.8125 * emsq);
  const double g310 = 1 + 2 * emsq;
  const double g300 = 1 + emsq * (-6 + 6.60937 * emsq);
  const double f220 = 0.75 * (1 + cosim) * (1 + cosim);
  const double f311 = 0.9375 * sinim * sinim * (1 + 3 * cosim) - 0.75 * (1 + cosim);
  const double f330 = 1.875 * (1 + cosim) * (1 + cosim) * (1 + cosim);
  const double del1 = 3 * orbit.no * orbit.no * aonv * aonv;
  r.del2 = 2 * del1 * f220 * g200 * Q22;
  r.del3 = 3 * del1 * f330 * g300 * Q33 * aonv;
  r.del1 = del1 * f311 * g310 * Q31 * aonv;
  r.xlamo = std::fmod(el.m + el.node + el.omega - theta, TwoPi);
  const double xpidot = orbit.argpdot + orbit.nodedot;
  r.xfact = orbit.mdot + xpidot - EarthRotation + r.dmdt + r.domdt + r.dnodt - orbit.no;
}

// dsinit: the deep-space rates and, for resonant orbits, the resonance terms.
void InitializeDeepSpace(Sgp4Orbit& orbit) {
  const LunisolarGeometry g = LunisolarAtEpoch(orbit, orbit.lunisolar);
  Sgp4DeepSecular& r = orbit.secular;
  LunisolarRates(orbit, g, r);
  const double nm = orbit.no, em = orbit.elements.e;
  if (nm > 0.0034906585 && nm < 0.0052359877) r.resonance = 1;
  if (nm >= 8.26e-3 && nm <= 9.24e-3 && em >= 0.5) r.resonance = 2;
  if (r.resonance == 0) return;
  const double aonv = std::pow(nm / Xke, X2o3);
  const double theta = std::fmod(orbit.gsto, TwoPi);
  if (r.resonance == 2)
    HalfDayResonance(orbit, g, aonv, theta, r);
  else
    OneDayResonance(orbit, g, aonv, theta, r);
}

// The mean elements as they change with time.
struct MeanElements {
  double em, argpm, inclm, mm, nodem, nm;
};

// dspace, the rates of the resonant mean motion and mean longitude at (xli, xni, atime).
struct ResonanceRates {
  double xndt, xldot, xnddt;
};

ResonanceRates RatesAt(const Sgp4Orbit& orbit, double xli, double xni, double atime) {
  constexpr double Fasx2 = 0.13130908, Fasx4 = 2.8843198, Fasx6 = 0.37448087;
  constexpr double G22 = 5.7686396, G32 = 0.95240898, G44 = 1.8014998, G52 = 1.0508330;
  constexpr double G54 = 4.4108898;
  // Each term d sin(argument); the argument holds the mean longitude xli `multiple` times.
  struct Term {
    double d, argument, multiple;
  };
  const Sgp4DeepSecular& r = orbit.secular;
  const double xomi = orbit.elements.omega + orbit.argpdot * atime;
  const Term oneDay[] = {
      {r.del1, xli - Fasx2, 1}, {r.del2, 2 * (xli - Fasx4), 2}, {r.del3, 3 * (xli - Fasx6), 3}};
  const Term halfDay[] = {
      {r.d2201, 2 * xomi + xli - G22, 1},     {r.d2211, xli - G22, 1},
      {r.d3210, xomi + xli - G32, 1},         {r.d3222, -xomi + xli - G32, 1},
      {r.d4410, 2 * xomi + 2 * xli - G44, 2}, {r.d4422, 2 * xli - G44, 2},
      {r.d5220, xomi + xli - G52, 1},         {r.d5232, -xomi + xli - G52, 1},
      {r.d5421, xomi + 2 * xli - G54, 2},     {r.d5433, -xomi + 2 * xli - G54, 2}};
  const std::span<const Term> terms =
      r.resonance == 2 ? std::span<const Term>(halfDay) : std::span<const Term>(oneDay);
  ResonanceRates rates{0, xni + r.xfact, 0};
  for (const Term& term : terms) {
    rates.xndt += term.d * std::sin(term.argument);
    rates.xnddt += term.multiple * term.d * std::cos(term.argument);
  }
  rates.xnddt *= rates.xldot;
  return rates;
}

// dspace: the lunisolar secular change and the resonance, integrated from the epoch in steps
// of 720 minutes (Note 1 of Sgp4Propagate).
void DeepSpaceSecular(const Sgp4Orbit& orbit, double t, MeanElements& m) {
  constexpr double Step = 720.0, HalfStepSquared = 259200.0;  // minutes, 720^2 / 2
  const Sgp4DeepSecular& r = orbit.secular;
  m.em += r.dedt * t;
  m.inclm += r.didt * t;
  m.argpm += r.domdt * t;
  m.nodem += r.dnodt * t;
  m.mm += r.dmdt * t;
  if (r.resonance == 0) return;
  const double theta = std::fmod(orbit.gsto + t * EarthRotation, TwoPi);
  const double delt = t > 0 ? Step : -Step;
  double xli = r.xlamo, xni = orbit.no, atime = 0;
  ResonanceRates rates = RatesAt(orbit, xli, xni, atime);
  while (std::fabs(t - atime) >= Step) {
    xli += rates.xldot * delt + rates.xndt * HalfStepSquared;
    xni += rates.xndt * delt + rates.xnddt * HalfStepSquared;
    atime += delt;
    rates = RatesAt(orbit, xli, xni, atime);
  }
  const double ft = t - atime;
  m.nm = xni + rates.xndt * ft + rates.xnddt * ft * ft * 0.5;
  const double xl = xli + rates.xldot * ft + rates.xndt * ft * ft * 0.5;
  m.mm = r.resonance == 1 ? xl - m.nodem - m.argpm + theta : xl - 2 * m.nodem + 2 * theta;
}

// dpper's sums of one body at time t (minutes).
struct BodyPerturbation {
  double e, i, l, gh, h;
};

BodyPerturbation PerturbationOfBody(const Sgp4BodyPeriodics& p, double t) {
  const double zm = p.anomaly + p.rate * t;
  const double zf = zm + 2 * p.eccentricity * std::sin(zm);
  const double sinzf = std::sin(zf);
  const double f2 = 0.5 * sinzf * sinzf - 0.25;
  const double f3 = -0.5 * sinzf * std::cos(zf);
  return BodyPerturbation{p.e2 * f2 + p.e3 * f3, p.i2 * f2 + p.i3 * f3,
                          p.l2 * f2 + p.l3 * f3 + p.l4 * sinzf,
                          p.gh2 * f2 + p.gh3 * f3 + p.gh4 * sinzf, p.h2 * f2 + p.h3 * f3};
}

// dpper: the long-period lunisolar terms added to the elements at time t (minutes).
void LunisolarPeriodics(const Sgp4Orbit& orbit, double t, double& ep, double& inclp, double& nodep,
                        double& argpp, double& mp) {
  const BodyPerturbation sun = PerturbationOfBody(orbit.lunisolar.sun, t);
  const BodyPerturbation moon = PerturbationOfBody(orbit.lunisolar.moon, t);
  const double pe = sun.e + moon.e, pinc = sun.i + moon.i, pl = sun.l + moon.l;
  double pgh = sun.gh + moon.gh, ph = sun.h + moon.h;

  inclp += pinc;
  ep += pe;
  const double sinip = std::sin(inclp), cosip = std::cos(inclp);
  if (inclp >= LowInclination) {
    ph /= sinip;
    pgh -= cosip * ph;
    argpp += pgh;
    nodep += ph;
    mp += pl;
    return;
  }
  // Near the equator the node is ill-defined: Lyddane's modification works on the vector
  // (sin i sin node, sin i cos node) and the longitude instead.
  const double sinop = std::sin(nodep), cosop = std::cos(nodep);
  const double alfdp = sinip * sinop + ph * cosop + pinc * cosip * sinop;
  const double betdp = sinip * cosop - ph * sinop + pinc * cosip * cosop;
  nodep = std::fmod(nodep, TwoPi);
  const double xls = mp + argpp + cosip * nodep + pl + pgh - pinc * nodep * sinip;
  const double xnoh = nodep;
  nodep = std::atan2(alfdp, betdp);
  if (std::fabs(xnoh - nodep) > Pi) nodep += nodep < xnoh ? TwoPi : -TwoPi;
  mp += pl;
  argpp = xls - mp - cosip * nodep;
}

// initl and the near-Earth part of sgp4init.
void InitializeNearEarth(Sgp4Orbit& o) {
  const Sgp4Elements& el = o.elements;
  const double ecco = el.e;
  const double eccsq = ecco * ecco, omeosq = 1 - eccsq, rteosq = std::sqrt(omeosq);
  o.cosio = std::cos(el.i);
  const double cosio2 = o.cosio * o.cosio;
  // Kozai's mean motion to Brouwer's [R3].
  const double noKozai = el.meanMotion * RevPerDayToRadPerMin;
  const double ak = std::pow(Xke / noKozai, X2o3);
  const double d1 = 0.75 * J2 * (3 * cosio2 - 1) / (rteosq * omeosq);
  double del = d1 / (ak * ak);
  const double adel = ak * (1 - del * del - del * (1.0 / 3.0 + 134 * del * del / 81));
  del = d1 / (adel * adel);
  o.no = noKozai / (1 + del);
  o.ao = std::pow(Xke / o.no, X2o3);
  o.sinio = std::sin(el.i);
  const double po = o.ao * omeosq, posq = po * po;
  const double con42 = 1 - 5 * cosio2;
  o.con41 = -con42 - cosio2 - cosio2;
  const double rp = o.ao * (1 - ecco);
  o.gsto = GreenwichSiderealTime(el.epoch);

  // The density function's s and q0 - s, lowered for perigees below 156 km [R3].
  o.simpleDrag = rp < SimpleDragPerigeeKm / EarthRadiusKm + 1;
  double sfour = 78 / EarthRadiusKm + 1;
  double qzms24 = std::pow((120 - 78) / EarthRadiusKm, 4);
  const double perigeeKm = (rp - 1) * EarthRadiusKm;
  if (perigeeKm < 156) {
    sfour = perigeeKm < 98 ? 20 : perigeeKm - 78;
    qzms24 = std::pow((120 - sfour) / EarthRadiusKm, 4);
    sfour = sfour / EarthRadiusKm + 1;
  }
  const double pinvsq = 1 / posq;
  const double tsi = 1 / (o.ao - sfour);
  o.eta = o.ao * ecco * tsi;
  const double etasq = o.eta * o.eta, eeta = ecco * o.eta;
  const double psisq = std::fabs(1 - etasq);
  const double coef = qzms24 * std::pow(tsi, 4);
  const double coef1 = coef / std::pow(psisq, 3.5);
  const double cc2 = coef1 * o.no *
                     (o.ao * (1 + 1.5 * etasq + eeta * (4 + etasq)) +
                      0.375 * J2 * tsi / psisq * o.con41 * (8 + 3 * etasq * (8 + etasq)));
  o.cc1 = el.bstar * cc2;
  const double cc3 = ecco > SmallEccentricity ? -2 * coef * tsi * J3oJ2 * o.no * o.sinio / ecco : 0;
  o.x1mth2 = 1 - cosio2;
  o.cc4 = 2 * o.no * coef1 * o.ao * omeosq *
          (o.eta * (2 + 0.5 * etasq) + ecco * (0.5 + 2 * etasq) -
           J2 * tsi / (o.ao * psisq) *
               (-3 * o.con41 * (1 - 2 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                0.75 * o.x1mth2 * (2 * etasq - eeta * (1 + etasq)) * std::cos(2 * el.omega)));
  o.cc5 = 2 * coef1 * o.ao * omeosq * (1 + 2.75 * (etasq + eeta) + eeta * etasq);

  // Secular rates of the mean anomaly, the perigee and the node from J2 and J4.
  const double cosio4 = cosio2 * cosio2;
  const double temp1 = 1.5 * J2 * pinvsq * o.no;
  const double temp2 = 0.5 * temp1 * J2 * pinvsq;
  const double temp3 = -0.46875 * J4 * pinvsq * pinvsq * o.no;
  o.mdot = o.no + 0.5 * temp1 * rteosq * o.con41 +
           0.0625 * temp2 * rteosq * (13 - 78 * cosio2 + 137 * cosio4);
  o.argpdot = -0.5 * temp1 * con42 + 0.0625 * temp2 * (7 - 114 * cosio2 + 395 * cosio4) +
              temp3 * (3 - 36 * cosio2 + 49 * cosio4);
  const double xhdot1 = -temp1 * o.cosio;
  o.nodedot = xhdot1 + (0.5 * temp2 * (4 - 19 * cosio2) + 2 * temp3 * (3 - 7 * cosio2)) * o.cosio;
  o.omgcof = el.bstar * cc3 * std::cos(el.omega);
  o.xmcof = ecco > SmallEccentricity ? -X2o3 * coef * el.bstar / eeta : 0;
  o.nodecf = 3.5 * omeosq * xhdot1 * o.cc1;
  o.t2cof = 1.5 * o.cc1;
  const double onePlusCos =
      std::fabs(o.cosio + 1) > TinyDenominator ? 1 + o.cosio : TinyDenominator;
  o.xlcof = -0.25 * J3oJ2 * o.sinio * (3 + 5 * o.cosio) / onePlusCos;
  o.aycof = -0.5 * J3oJ2 * o.sinio;
  const double delmotemp = 1 + o.eta * std::cos(el.m);
  o.delmo = delmotemp * delmotemp * delmotemp;
  o.sinmao = std::sin(el.m);
  o.x7thm1 = 7 * cosio2 - 1;

  if (o.simpleDrag) return;
  // Higher powers of the drag's secular terms [R3].
  const double cc1sq = o.cc1 * o.cc1;
  o.d2 = 4 * o.ao * tsi * cc1sq;
  const double temp = o.d2 * tsi * o.cc1 / 3;
  o.d3 = (17 * o.ao + sfour) * temp;
  o.d4 = 0.5 * temp * o.ao * tsi * (221 * o.ao + 31 * sfour) * o.cc1;
  o.t3cof = o.d2 + 2 * cc1sq;
  o.t4cof = 0.25 * (3 * o.d3 + o.cc1 * (12 * o.d2 + 10 * cc1sq));
  o.t5cof =
      0.2 * (3 * o.d4 + 12 * o.cc1 * o.d3 + 6 * o.d2 * o.d2 + 15 * cc1sq * (2 * o.d2 + cc1sq));
}

// The secular effects of gravity and drag on the mean elements at t minutes.
MeanElements SecularElements(const Sgp4Orbit& o, double t, double& tempa, double& tempe,
                             double& templ) {
  const Sgp4Elements& el = o.elements;
  const double xmdf = el.m + o.mdot * t;
  const double argpdf = el.omega + o.argpdot * t;
  const double nodedf = el.node + o.nodedot * t;
  const double t2 = t * t;
  MeanElements m{el.e, argpdf, el.i, xmdf, nodedf + o.nodecf * t2, o.no};
  tempa = 1 - o.cc1 * t;
  tempe = el.bstar * o.cc4 * t;
  templ = o.t2cof * t2;
  if (!o.simpleDrag) {
    const double delomg = o.omgcof * t;
    const double delmtemp = 1 + o.eta * std::cos(xmdf);
    const double delm = o.xmcof * (delmtemp * delmtemp * delmtemp - o.delmo);
    m.mm = xmdf + delomg + delm;
    m.argpm = argpdf - delomg - delm;
    const double t3 = t2 * t, t4 = t3 * t;
    tempa -= o.d2 * t2 + o.d3 * t3 + o.d4 * t4;
    tempe += el.bstar * o.cc5 * (std::sin(m.mm) - o.sinmao);
    templ += o.t3cof * t3 + t4 * (o.t4cof + t * o.t5cof);
  }
  if (o.deepSpace) DeepSpaceSecular(o, t, m);
  return m;
}

// The position and velocity from the osculating elements: Kepler's equation for the long-period
// elements, then the short-period terms of J2 [R3].
int PositionAndVelocity(const Sgp4Orbit& o, double am, double nm, double ep, double xincp,
                        double nodep, double argpp, double mp, Sgp4State& out) {
  const double sinip = std::sin(xincp), cosip = std::cos(xincp);
  double aycof = o.aycof, xlcof = o.xlcof, con41 = o.con41, x1mth2 = o.x1mth2, x7thm1 = o.x7thm1;
  if (o.deepSpace) {  // the inclination has moved: its functions follow it
    aycof = -0.5 * J3oJ2 * sinip;
    const double onePlusCos = std::fabs(cosip + 1) > TinyDenominator ? 1 + cosip : TinyDenominator;
    xlcof = -0.25 * J3oJ2 * sinip * (3 + 5 * cosip) / onePlusCos;
    const double cosisq = cosip * cosip;
    con41 = 3 * cosisq - 1;
    x1mth2 = 1 - cosisq;
    x7thm1 = 7 * cosisq - 1;
  }
  const double axnl = ep * std::cos(argpp);
  double temp = 1 / (am * (1 - ep * ep));
  const double aynl = ep * std::sin(argpp) + temp * aycof;
  const double xl = mp + argpp + nodep + temp * xlcof * axnl;

  // Kepler's equation in the equinoctial elements, at most ten Newton steps of at most 0.95.
  const double u = std::fmod(xl - nodep, TwoPi);
  double eo1 = u, sineo1 = 0, coseo1 = 0, tem5 = 9999.9;
  for (int k = 0; k < 10 && std::fabs(tem5) >= 1.0e-12; ++k) {
    sineo1 = std::sin(eo1);
    coseo1 = std::cos(eo1);
    tem5 = (u - aynl * coseo1 + axnl * sineo1 - eo1) / (1 - coseo1 * axnl - sineo1 * aynl);
    if (std::fabs(tem5) >= 0.95) tem5 = tem5 > 0 ? 0.95 : -0.95;
    eo1 += tem5;
  }

  const double ecose = axnl * coseo1 + aynl * sineo1;
  const double esine = axnl * sineo1 - aynl * coseo1;
  const double el2 = axnl * axnl + aynl * aynl;
  const double pl = am * (1 - el2);
  if (pl < 0) return Sgp4BadSemiLatusRectum;
  const double rl = am * (1 - ecose);
  const double rdotl = std::sqrt(am) * esine / rl;
  const double rvdotl = std::sqrt(pl) / rl;
  const double betal = std::sqrt(1 - el2);
  temp = esine / (1 + betal);
  const double sinu = am / rl * (sineo1 - aynl - axnl * temp);
  const double cosu = am / rl * (coseo1 - axnl + aynl * temp);
  double su = std::atan2(sinu, cosu);
  const double sin2u = (cosu + cosu) * sinu;
  const double cos2u = 1 - 2 * sinu * sinu;
  temp = 1 / pl;
  const double temp1 = 0.5 * J2 * temp;
  const double temp2 = temp1 * temp;

  const double mrt = rl * (1 - 1.5 * temp2 * betal * con41) + 0.5 * temp1 * x1mth2 * cos2u;
  su -= 0.25 * temp2 * x7thm1 * sin2u;
  const double xnode = nodep + 1.5 * temp2 * cosip * sin2u;
  const double xinc = xincp + 1.5 * temp2 * cosip * sinip * cos2u;
  const double mvt = rdotl - nm * temp1 * x1mth2 * sin2u / Xke;
  const double rvdot = rvdotl + nm * temp1 * (x1mth2 * cos2u + 1.5 * con41) / Xke;
  if (mrt < 1) return Sgp4Decayed;

  const double sinsu = std::sin(su), cossu = std::cos(su);
  const double snod = std::sin(xnode), cnod = std::cos(xnode);
  const double sini = std::sin(xinc), cosi = std::cos(xinc);
  const double xmx = -snod * cosi, xmy = cnod * cosi;
  const Vector3 uu{xmx * sinsu + cnod * cossu, xmy * sinsu + snod * cossu, sini * sinsu};
  const Vector3 vv{xmx * cossu - cnod * sinsu, xmy * cossu - snod * sinsu, sini * cossu};
  const double kmPerSec = EarthRadiusKm * Xke / 60.0;
  const double r = mrt * EarthRadiusKm;
  out.positionKm = Vector3{r * uu.x, r * uu.y, r * uu.z};
  out.velocityKmPerS =
      Vector3{(mvt * uu.x + rvdot * vv.x) * kmPerSec, (mvt * uu.y + rvdot * vv.y) * kmPerSec,
              (mvt * uu.z + rvdot * vv.z) * kmPerSec};
  return Sgp4Ok;
}

}  // namespace

int Sgp4Initialize(const Sgp4Elements& elements, Sgp4Orbit& orbit) {
  orbit = Sgp4Orbit{};
  orbit.elements = elements;
  if (!(elements.meanMotion > 0)) return Sgp4BadMeanMotion;
  if (!(elements.e >= 0 && elements.e < 1)) return Sgp4BadMeanElements;
  InitializeNearEarth(orbit);
  orbit.deepSpace = TwoPi / orbit.no >= DeepSpacePeriodMin;
  if (orbit.deepSpace) {
    orbit.simpleDrag = true;
    InitializeDeepSpace(orbit);
  }
  Sgp4State atEpoch;
  return Sgp4Propagate(orbit, 0.0, atEpoch);
}

double Sgp4DragTerm(const Sgp4Elements& elements, double halfRate) {
  Sgp4Elements unit = elements;
  unit.bstar = 1;
  Sgp4Orbit orbit;
  if (Sgp4Initialize(unit, orbit) != Sgp4Ok || !(orbit.cc1 > 0)) return 0;
  const double radPerMin2 = halfRate * TwoPi / (1440.0 * 1440.0);
  return radPerMin2 / (1.5 * orbit.no * orbit.cc1);
}

int Sgp4Propagate(const Sgp4Orbit& o, double t, Sgp4State& out) {
  double tempa = 0, tempe = 0, templ = 0;
  MeanElements m = SecularElements(o, t, tempa, tempe, templ);
  if (m.nm <= 0) return Sgp4BadMeanMotion;
  const double am = std::pow(Xke / m.nm, X2o3) * tempa * tempa;
  const double nm = Xke / std::pow(am, 1.5);
  m.em -= tempe;
  if (m.em >= 1 || m.em < -0.001) return Sgp4BadMeanElements;
  if (m.em < 1.0e-6) m.em = 1.0e-6;
  m.mm += o.no * templ;
  const double xlm = m.mm + m.argpm + m.nodem;
  m.nodem = std::fmod(m.nodem, TwoPi);
  m.argpm = std::fmod(m.argpm, TwoPi);
  m.mm = std::fmod(std::fmod(xlm, TwoPi) - m.argpm - m.nodem, TwoPi);

  double ep = m.em, xincp = m.inclm, nodep = m.nodem, argpp = m.argpm, mp = m.mm;
  if (o.deepSpace) {
    LunisolarPeriodics(o, t, ep, xincp, nodep, argpp, mp);
    if (xincp < 0) {
      xincp = -xincp;
      nodep += Pi;
      argpp -= Pi;
    }
    if (ep < 0 || ep > 1) return Sgp4BadPerturbedElements;
  }
  return PositionAndVelocity(o, am, nm, ep, xincp, nodep, argpp, mp, out);
}

}  // namespace qv
