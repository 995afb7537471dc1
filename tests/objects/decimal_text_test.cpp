// Number text without the locale, checked against the C library's printf and strtod in the "C"
// locale (the process never changes its locale in tests).
#include "objects/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace qv {
namespace {

std::string Printf(const char* format, double value) {
  char text[512];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

TEST(DecimalText, FixedMatchesPrintfForEverySettingsFormat) {
  struct Form {
    const char* printf;
    int precision;
    bool sign;
    int width;
  };
  const Form forms[] = {{"%.1f", 1, false, 0},     {"%+.1f", 1, true, 0},    {"%.3f", 3, false, 0},
                        {"%.6f", 6, false, 0},     {"%+.6f", 6, true, 0},    {"%+.2f", 2, true, 0},
                        {"%+011.6f", 6, true, 11}, {"%+010.6f", 6, true, 10}};
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-8, 8);
  for (int i = 0; i < 2000; ++i) {
    const double sign = random() & 1 ? -1.0 : 1.0;
    const double value = sign * std::pow(10.0, exponent(random));
    for (const Form& form : forms) {
      SCOPED_TRACE(form.printf);
      ASSERT_EQ(FormatFixed(value, form.precision, form.sign, form.width),
                Printf(form.printf, value))
          << value;
    }
  }
  // Halfway cases, zeros and values that round to a wider number.
  for (double value : {0.0, -0.0, 0.05, 0.25, 2.5, 9.9999999, -9.99999951, 359.9999996, 1e300}) {
    EXPECT_EQ(FormatFixed(value, 1, true), Printf("%+.1f", value));
    EXPECT_EQ(FormatFixed(value, 6, true, 11), Printf("%+011.6f", value));
  }
}

TEST(DecimalText, FixedKeepingUsesTheDecimalsTheValueNeeds) {
  struct Case {
    double value;
    int precision, maxPrecision;
    bool sign;
    const char* text;
  };
  const Case cases[] = {
      {-5.0, 1, 6, true, "-5.0"},
      {-5.0 / 24 * 24, 1, 6, true, "-5.0"},
      {5.75, 1, 6, true, "+5.75"},
      {12.75, 1, 6, true, "+12.75"},
      {1.0 / 1440, 6, 12, false, "0.000694444444"},
      {1.0, 6, 12, false, "1.000000"},
      {1.0 / 3, 1, 6, false, "0.333333"},
      {6.55, 1, 2, false, "6.55"},
      {6.5, 1, 2, false, "6.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFixedKeeping(c.value, c.precision, c.maxPrecision, c.sign), c.text) << c.value;
  }
}

TEST(DecimalText, ScientificMatchesPrintf) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> exponent(-120, 120);
  for (int i = 0; i < 2000; ++i) {
    const double value = (random() & 1 ? -1.0 : 1.0) * std::pow(10.0, exponent(random));
    ASSERT_EQ(FormatScientific(value, 9), Printf("%+.9E", value));
  }
  EXPECT_EQ(FormatScientific(0.0, 9), "+0.000000000E+00");
}

TEST(DecimalText, ParseDecimalReadsWhatStrtodReads) {
  const char* texts[] = {"12.5", "  -0.25xyz", "+6.50", "1e3",   "-1.5E-3,2", "\t42",
                         ".5",   "5.",         "-.75",  "1e400", "+-3",       "abc",
                         "",     " ",          "--1",   "nan",   "inf",       "0x10"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    char* strtodEnd = nullptr;
    double expected = std::strtod(text, &strtodEnd);
    if (!std::isfinite(expected)) expected = 0;     // unreadable numbers are 0
    if (std::string(text) == "0x10") expected = 0;  // no hexadecimal in our files
    size_t used = 99;
    EXPECT_EQ(ParseDecimal(text, &used), expected);
    if (expected != 0) {
      EXPECT_EQ(used, static_cast<size_t>(strtodEnd - text));
    }
  }
}

TEST(DecimalText, ParseWholeClampsInsteadOfOverflowing) {
  struct Case {
    const char* text;
    int64_t expected;
    size_t used;
  };
  const Case cases[] = {{"42", 42, 2},
                        {"  -7,3", -7, 4},
                        {"+15abc", 15, 3},
                        {"x1", 0, 0},
                        {"", 0, 0},
                        {"-", 0, 0},
                        {"32767", 32767, 5},
                        {"32768", 32767, 5},
                        {"-32768", -32768, 6},
                        {"-32769", -32768, 6},
                        {"99999999999999999999999", 32767, 23},
                        {"-99999999999999999999999", -32768, 24},
                        {"1.9", 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    size_t used = 99;
    EXPECT_EQ(ParseWhole(c.text, -32768, 32767, &used), c.expected);
    EXPECT_EQ(used, c.used);
  }
  EXPECT_EQ(ParseWhole("9223372036854775807", INT64_MIN, INT64_MAX), INT64_MAX);
  EXPECT_EQ(ParseWhole("-9223372036854775808", INT64_MIN, INT64_MAX), INT64_MIN);
  EXPECT_EQ(ParseWhole("99999999999999999999", INT64_MIN, INT64_MAX), INT64_MAX);
}

}  // namespace
}  // namespace qv
