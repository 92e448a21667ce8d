// Numbers to texts and back, the way the calculator reads and shows them.
//
// Every number the calculator handles passes through a component text, so
// these rules decide both what the user sees and which value the next step
// works with. Texts are GBK bytes; the empty string stands for "no text".
// All functions are pure, locale-free and never fail.
//
// Arithmetic needs the x87 unit at its reset state (64-bit significands,
// round to nearest, exceptions masked), which is the start-up state of the
// program and of every x86-64 process on Linux.
#pragma once

#include <string>
#include <string_view>

namespace corvanel {

// Replaces the GBK full-width forms of ASCII characters by the characters
// themselves, the ideographic space by a blank, "～" by "~" and "☆"/"★" by
// "*". A lead byte (0x80 or above) takes the next byte with it; a lead byte
// at the very end of the text is dropped.
//   "\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5" ("１２．５")  ->  "12.5"
std::string FoldFullWidth(std::string_view text);

// The value of the longest decimal prefix of `text`, correctly rounded to
// the nearest double; +0 when there is none. Leading bytes 0x09-0x0D and
// blanks are skipped; the prefix is sign? (digits[.digits] | .digits)
// ([eEdD] sign? digits)?.
//   "  12abc" -> 12      "1,234" -> 1        "1e+" -> 1
//   "1.5d2"   -> 150     "-.5e1" -> -5       "-0"  -> -0
//   "1e400"   -> +inf    "1e-400" -> 0       "0x1A", "-", "e5" -> +0
double ReadDecimalPrefix(std::string_view text);

// "%.<digits>g" as the calculator prints it: the digits come from a first
// rounding to 17 significant digits, halves round up, the exponent has at
// least three digits, -0 prints as "0", and infinities and NaNs print as
// "1.#INF", "-1.#INF", "-1.#IND" (the NaN of invalid operations),
// "1.#QNAN" and "1.#SNAN".
//   (1234570, 6) -> "1.23457e+006"     (999999.5, 6) -> "1e+006"
//   (15.172616307775, 13) -> "15.17261630778": stored as
//   15.17261630777499998..., it rounds to ...7775 at 17 digits first.
std::string FormatSignificant(double x, int digits);

// FoldFullWidth, then ReadDecimalPrefix: the number a component text holds.
double ToNumber(std::string_view text);

// FormatSignificant with 13 digits: the text a number is written as.
//   31.830988614222804 -> "31.83098861422"    1e13 -> "1e+013"
std::string ToText(double x);

// Rounds half away from zero to `places` decimals (tens, hundreds, ... when
// negative), after a nudge of 1e-12 that lifts scaled values lying just
// below a half only because of their binary form.
//   (0.285, 2) -> 0.29     (2.5) -> 3     (-1250, -2) -> -1300
double RoundDigits(double x, int places = 0);

// base ** exponent, evaluated as 2 ** (exponent * log2 base) with 64-bit
// significands; a negative base takes integer exponents only and gives the
// NaN of invalid operations otherwise.
//   (-2, 3) -> -8     (0, -1) -> +inf     (-2, 0.5) -> NaN ("-1.#IND")
double Power(double base, double exponent);

}  // namespace corvanel
