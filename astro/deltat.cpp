// astro/deltat.cpp - Delta T from the table of rows and the long-term expressions.
// Sources in deltat.h.
#include "astro/deltat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "astro/time.h"

namespace qv {
namespace {

// sum of c[k] u^k with u = (year - origin) / scale.
struct Polynomial {
  double origin, scale;
  std::array<double, 7> c;
};

double Value(const Polynomial& p, double year) {
  const double u = (year - p.origin) / p.scale;
  double v = 0;
  for (auto k = p.c.size(); k-- > 0;) v = v * u + p.c[k];
  return v;
}

double Rate(const Polynomial& p, double year) {  // seconds per year
  const double u = (year - p.origin) / p.scale;
  double v = 0;
  for (auto k = p.c.size(); k-- > 1;) v = v * u + static_cast<double>(k) * p.c[k];
  return v / p.scale;
}

// [MS]; also [EM] before -500 and after 2150.
constexpr Polynomial LongTerm{1820, 100, {-20, 0, 32}};
// [EM] -500 to 500 and 500 to 1600.
constexpr Polynomial Ancient{
    0, 100, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}};
constexpr Polynomial Medieval{
    1000, 100, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}};
// [EM] 2050 to 2150: -20 + 32 u^2 - 0.5628 (2150 - year), the last term written in u as well.
constexpr Polynomial Late{1820, 100, {-20 - 0.5628 * 330, 0.5628 * 100, 32}};

// A cubic from (x0, value y0, rate m0) to (x1, y1, m1), at x.
double Hermite(double x, double x0, double y0, double m0, double x1, double y1, double m1) {
  const double h = x1 - x0, t = (x - x0) / h, t2 = t * t, t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * y0 + (t3 - 2 * t2 + t) * h * m0 + (3 * t2 - 2 * t3) * y1 +
         (t3 - t2) * h * m1;
}

// Table rows: seconds on 1 January of the year.
struct Row {
  int16_t year;
  float seconds;  // single precision, as the program always kept its rows
};
// Five rows a line.
// clang-format off
constexpr Row Rows[] = {
    // [M table 10.A] as the program always had them, every five years 1620-1995.
    {1620, 124}, {1625, 102}, {1630, 85}, {1635, 72}, {1640, 62},
    {1645, 54}, {1650, 48}, {1655, 43}, {1660, 37}, {1665, 32},
    {1670, 26}, {1675, 21}, {1680, 16}, {1685, 12}, {1690, 10},
    {1695, 9}, {1700, 9}, {1705, 9}, {1710, 10}, {1715, 10},
    {1720, 11}, {1725, 11}, {1730, 11}, {1735, 12}, {1740, 12},
    {1745, 13}, {1750, 13}, {1755, 14}, {1760, 15}, {1765, 16},
    {1770, 16}, {1775, 17}, {1780, 17}, {1785, 17}, {1790, 17},
    {1795, 16}, {1800, 13.7}, {1805, 12.6}, {1810, 12.5}, {1815, 12.5},
    {1820, 12}, {1825, 10.2}, {1830, 7.5}, {1835, 5.8}, {1840, 5.7},
    {1845, 6.3}, {1850, 7.1}, {1855, 7.6}, {1860, 7.88}, {1865, 6.02},
    {1870, 1.61}, {1875, -3.24}, {1880, -5.4}, {1885, -5.79}, {1890, -5.87},
    {1895, -6.47}, {1900, -2.77}, {1905, 3.86}, {1910, 10.46}, {1915, 17.2},
    {1920, 21.16}, {1925, 23.62}, {1930, 24.02}, {1935, 23.93}, {1940, 24.33},
    {1945, 26.77}, {1950, 29.16}, {1955, 29.15}, {1960, 33.15}, {1965, 35.73},
    {1970, 40.18}, {1975, 45.48}, {1980, 50.54}, {1985, 54.34}, {1990, 56.86},
    {1995, 60.78},
    // 32.184 s + (TAI - UTC) - (UT1 - UTC) on 1 January: 1996-2022 [C04], 2023-2024 [A].
    {1996, 61.63}, {1997, 62.30}, {1998, 62.97}, {1999, 63.47}, {2000, 63.83},
    {2001, 64.09}, {2002, 64.30}, {2003, 64.47}, {2004, 64.57}, {2005, 64.69},
    {2006, 64.85}, {2007, 65.15}, {2008, 65.46}, {2009, 65.78}, {2010, 66.07},
    {2011, 66.32}, {2012, 66.60}, {2013, 66.91}, {2014, 67.28}, {2015, 67.64},
    {2016, 68.10}, {2017, 68.59}, {2018, 68.97}, {2019, 69.22}, {2020, 69.36},
    {2021, 69.36}, {2022, 69.29}, {2023, 69.20}, {2024, 69.17},
};
// clang-format on
constexpr int RowCount = static_cast<int>(std::size(Rows));

// The curve's knots: the start on Medieval, the rows, the end on Late (Notes 1-2).
constexpr double CurveStart = 1600, CurveEnd = 2050;
constexpr int KnotCount = RowCount + 2;

double KnotYear(int k) {
  if (k == 0) return CurveStart;
  return k <= RowCount ? Rows[k - 1].year : CurveEnd;
}

double KnotSeconds(int k) {
  if (k == 0) return Value(Medieval, CurveStart);
  return k <= RowCount ? Rows[k - 1].seconds : Value(Late, CurveEnd);
}

// The slope at a knot: the ends take their polynomial's rate, the rows that of the parabola
// through the row and its two neighbours.
double KnotRate(int k) {
  if (k == 0) return Rate(Medieval, CurveStart);
  if (k == KnotCount - 1) return Rate(Late, CurveEnd);
  const double h0 = KnotYear(k) - KnotYear(k - 1), h1 = KnotYear(k + 1) - KnotYear(k);
  const double d0 = (KnotSeconds(k) - KnotSeconds(k - 1)) / h0;
  const double d1 = (KnotSeconds(k + 1) - KnotSeconds(k)) / h1;
  return (h1 * d0 + h0 * d1) / (h0 + h1);
}

double TableCurve(double year) {
  // The last knot at or before the year; rows are in order of years.
  const Row* next = std::upper_bound(std::begin(Rows), std::end(Rows), year,
                                     [](double y, const Row& r) { return y < r.year; });
  const int k = static_cast<int>(next - std::begin(Rows));  // knot k starts the interval
  return Hermite(year, KnotYear(k), KnotSeconds(k), KnotRate(k), KnotYear(k + 1),
                 KnotSeconds(k + 1), KnotRate(k + 1));
}

// The spans of years, each from its start to the next one's; nullptr is the table curve.
struct Span {
  double from;
  const Polynomial* polynomial;
};
constexpr Span Spans[] = {{-HUGE_VAL, &LongTerm}, {-500, &Ancient},  {500, &Medieval},
                          {CurveStart, nullptr},  {CurveEnd, &Late}, {2150, &LongTerm}};
constexpr int SpanCount = static_cast<int>(std::size(Spans));
constexpr double BridgeHalfYears = 5;  // two polynomials that meet are bridged over ten years

double Bridge(const Polynomial& before, const Polynomial& after, double join, double year) {
  const double x0 = join - BridgeHalfYears, x1 = join + BridgeHalfYears;
  return Hermite(year, x0, Value(before, x0), Rate(before, x0), x1, Value(after, x1),
                 Rate(after, x1));
}

}  // namespace

double DeltaT(double jd) {
  const double year = JulianDateToYear(jd);
  if (std::isnan(year)) return year;
  int s = SpanCount - 1;
  while (year < Spans[s].from) --s;
  const Polynomial* here = Spans[s].polynomial;
  if (!here) return TableCurve(year);
  const Polynomial* before = s > 0 ? Spans[s - 1].polynomial : nullptr;
  if (before && year < Spans[s].from + BridgeHalfYears)
    return Bridge(*before, *here, Spans[s].from, year);
  const Polynomial* after = s + 1 < SpanCount ? Spans[s + 1].polynomial : nullptr;
  if (after && year >= Spans[s + 1].from - BridgeHalfYears)
    return Bridge(*here, *after, Spans[s + 1].from, year);
  return Value(*here, year);
}

}  // namespace qv
