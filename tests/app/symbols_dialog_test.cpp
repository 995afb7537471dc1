// The Symbols & Grids dialog: the texts of its magnitude and grid-interval fields.
#include "app/symbols_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "settings/settings.h"

namespace qv {
namespace {

constexpr double Pi = 3.14159265358979323846;

TEST(SymbolsFields, MagnitudesShowWithTheirDecimals) {
  struct Case {
    int16_t hundredths;
    bool mayBeAbsent;
    const char* text;
  };
  const Case cases[] = {{550, false, "5.5"},
                        {655, true, "6.55"},
                        {-146, false, "-1.46"},
                        {0, true, "0.0"},
                        {-5, true, "-0.05"},
                        {NoMagnitudeLimit, true, ""},
                        {NoMagnitudeLimit, false, "327.67"}};
  for (const Case& c : cases) EXPECT_EQ(MagnitudeFieldText(c.hundredths, c.mayBeAbsent), c.text);
}

TEST(SymbolsFields, TypedMagnitudesReadIntoHundredths) {
  struct Case {
    const char* text;
    bool mayBeAbsent;
    int16_t expected;  // the field starts at 123
  };
  const Case cases[] = {{"6.5", false, 650},
                        {" 7", true, 700},
                        {"+0.29", false, 29},
                        {"-1.46", true, -146},
                        {"6.559", true, 655},
                        {"", true, NoMagnitudeLimit},
                        {" \t", true, NoMagnitudeLimit},
                        {"", false, 123},
                        {"abc", true, 123},
                        {"1e9", false, 32767}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int16_t field = 123;
    ReadMagnitudeField(c.text, c.mayBeAbsent, field);
    EXPECT_EQ(field, c.expected);
  }
}

TEST(SymbolsFields, OkOnAnUnchangedDialogKeepsEveryMagnitude) {
  for (int h = -3000; h <= 3000; ++h) {
    int16_t field = 0;
    ReadMagnitudeField(MagnitudeFieldText(static_cast<int16_t>(h), true), true, field);
    ASSERT_EQ(field, h);
  }
}

TEST(SymbolsFields, IntervalsShowAsUnitsAndMinutes) {
  EXPECT_EQ(IntervalFieldText(Pi / 12, RightAscensionInterval), "01 00");
  EXPECT_EQ(IntervalFieldText(Pi / 12 * 2.5, RightAscensionInterval), "02 30");
  EXPECT_EQ(IntervalFieldText(10 * Pi / 180, DeclinationInterval), "10 00");
  EXPECT_EQ(IntervalFieldText(0.5 * Pi / 180, DeclinationInterval), "00 30");
  // 59.7 minutes rounds up into the next whole degree, never "00 60".
  EXPECT_EQ(IntervalFieldText(59.7 / 60 * Pi / 180, DeclinationInterval), "01 00");
}

TEST(SymbolsFields, TypedIntervalsReadAsScanfWould) {
  struct Case {
    const char* text;
    const IntervalUnits* units;
    double expected;  // radians; the field starts at 1
  };
  const double hour = Pi / 12, degree = Pi / 180;
  const Case cases[] = {
      {"01 30", &RightAscensionInterval, 1.5 * hour},
      {"2", &RightAscensionInterval, 2 * hour},
      {"1.5", &RightAscensionInterval, (1 + 0.5 / 60) * hour},  // "%hd" stops at the point
      {"0 0", &RightAscensionInterval, Pi / 12 / 60},           // one minute of time at least
      {"-3 0", &RightAscensionInterval, Pi / 12 / 60},
      {"10 00", &DeclinationInterval, 10 * degree},
      {"0 0.5", &DeclinationInterval, 0.5 / 60 * degree},
      {"0 -5", &DeclinationInterval, Pi / 180 / 60},  // one arcminute at least
      {"", &DeclinationInterval, 1},
      {"x 30", &DeclinationInterval, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    double field = 1;
    ReadIntervalField(c.text, *c.units, field);
    EXPECT_NEAR(field, c.expected, 1e-9);
  }
}

TEST(SymbolsFields, OkOnAnUnchangedDialogKeepsWholeMinuteIntervals) {
  for (const IntervalUnits* units : {&RightAscensionInterval, &DeclinationInterval}) {
    for (int minutes = 1; minutes <= 90 * 60; minutes += 7) {
      const double radians = minutes / 60.0 * units->radiansPer;
      double field = 0;
      ReadIntervalField(IntervalFieldText(radians, *units), *units, field);
      ASSERT_NEAR(field, radians, 1e-12) << minutes;
    }
  }
}

}  // namespace
}  // namespace qv
