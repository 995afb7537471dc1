// Time conversions and their texts: run for every trail point, ephemeris row and legend redraw.
#include <benchmark/benchmark.h>

#include "astro/time.h"
#include "objects/textformat.h"

namespace qv {
namespace {

void BM_CalendarRoundTrip(benchmark::State& state) {
  JulianDate jd = 2451545.0;
  for (auto _ : state) {
    const CalendarDate d = JulianDateToCalendar(jd, 0.25, CalendarGregorian);
    benchmark::DoNotOptimize(CalendarToJulianDate(d.year, d.month, d.day, d.hour, d.minute,
                                                  d.second, 0.25, CalendarGregorian));
    jd += 0.37;
  }
}
BENCHMARK(BM_CalendarRoundTrip);

void BM_SiderealTimeAndDeltaT(benchmark::State& state) {
  JulianDate jd = 2400000.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LocalSiderealTime(jd, 0.3) + DeltaT(jd));
    jd += 0.37;
  }
}
BENCHMARK(BM_SiderealTimeAndDeltaT);

void BM_FormatDateTime(benchmark::State& state) {
  JulianDate jd = 2451545.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatDateTime(jd, 0, CalendarGregorian));
    jd += 0.37;
  }
}
BENCHMARK(BM_FormatDateTime);

void BM_FormatEquatorialCoordinates(benchmark::State& state) {
  double ra = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatCoordinates(1, ra, -0.3, CoordinateLabelsAndValues, 2451545.0));
    ra = ra > 6 ? 0 : ra + 0.001;
  }
}
BENCHMARK(BM_FormatEquatorialCoordinates);

}  // namespace
}  // namespace qv
