// astro/deltat.h - Delta T = TT - UT1, the difference between dynamical time and the Earth's
// rotation time, from 3000 BC to AD 3000 and beyond. Seconds; Julian dates in UT. No errors.
// [M] J. Meeus, Astronomical Algorithms, 2nd ed. (1998), ch. 10 (table 10.A, the five-year rows).
// [EM] F. Espenak, J. Meeus, Five Millennium Canon of Solar Eclipses: -1999 to +3000, NASA
//     TP-2006-214141 (2006), section 2.6: the polynomial expressions of Delta T.
// [MS] L. V. Morrison, F. R. Stephenson, J. Hist. Astron. 35, 327 (2004): the long-term
//     parabola -20 + 32 u^2, u in centuries from 1820.
// [C04] IERS Earth orientation series EOP 14 C04 (UT1 - UTC, daily from 1962) with TAI - UTC of
//     IERS Bulletin C; [A] IERS Bulletin A (rapid service).
#pragma once

namespace qv {

// DeltaT: TT - UT1 in seconds at jd (UT; TT serves as well: the difference moves Delta T by
// under a millisecond).
// Notes  1. 1620-1995: the five-year rows of the program's table [M table 10.A]; 1996-2024: the
//           observed value of each 1 January [C04, A]. A cubic Hermite curve passes through every
//           row, its slope at a row that of the parabola through the row and its neighbours, so
//           the value and its rate are continuous.
//        2. The curve starts in 1600 on the polynomial for 500-1600 [EM] and ends in 2050 on the
//           expression for 2050-2150 [EM], with their values and rates: from 2024 it bends
//           smoothly from the observed value (69.2 s) towards the long-term trend, where the
//           polynomial for 2005-2050 alone gives 74.5 s in 2025.
//        3. Before 1600 and after 2050 the polynomials of [EM]; before -500 and after 2150 the
//           parabola of [MS]. Where two polynomials meet (-500, 500) they differ by up to
//           0.09 s; a cubic bridge over ten years joins them without a step.
double DeltaT(double jd);

}  // namespace qv
