// objects/decimal_text.h - numbers to and from text with a "." decimal point whatever the user's
// locale: the program's files must read the same everywhere, and the C library's printf and
// strtod follow LC_NUMERIC, which the GUI toolkit sets from the environment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// FormatFixed: value with `precision` decimals, as printf "%.*f"; plusSign adds "+" to values
// that are not negative ("%+f"), and zeros are put after the sign up to `width` characters
// ("%0*f"). Infinities and NaN are written as printf writes them ("inf", "nan").
std::string FormatFixed(double value, int precision, bool plusSign = false, int width = 0);

// FormatFixedKeeping: FormatFixed with the fewest decimals from `precision` to `maxPrecision`
// that read back as value (to 1e-12 of it, or of 1 for small values); maxPrecision decimals
// when none does. Keeps values such as a +5:45 time zone that the usual decimals would round.
std::string FormatFixedKeeping(double value, int precision, int maxPrecision,
                               bool plusSign = false);

// FormatScientific: as printf "%+.*E" (sign always, upper-case E, at least two exponent digits).
std::string FormatScientific(double value, int precision);

// ParseDecimal: the number at the start of text after blanks, as strtod in the "C" locale reads
// it (without hexadecimal forms); 0 when there is none or it is not finite. end (optional)
// receives the characters used, 0 when no number was read.
double ParseDecimal(std::string_view text, size_t* end = nullptr);

// ParseWhole: the leading decimal digits after blanks and an optional sign, as atol reads them,
// but clamped to [lowest, highest] instead of overflowing; 0 when there are none.
int64_t ParseWhole(std::string_view text, int64_t lowest, int64_t highest, size_t* end = nullptr);

}  // namespace qv
