// The rules of the three input boxes: which typed characters they take and
// the normal form their content is rewritten to when they lose the focus.
//
// Contents are GBK bytes; the empty string is the empty text.
#pragma once

#include <string>
#include <string_view>

namespace corvanel {

// The teeth boxes take "-" and the digits; everything else typed is dropped.
bool AcceptsWholeNumberChar(char32_t c);

// The centre-distance box takes "-", "." and the digits.
bool AcceptsDecimalChar(char32_t c);

// The leading whole number (blanks, a sign, digits), clamped to 32 bits;
// 0 and no number at all give the empty text.
//   "007" -> "7"   "12-3" -> "12"   "-99999999999" -> "-2147483648"   "-" -> ""
std::string RewriteWholeNumber(std::string_view content);

// The leading decimal number taken to single precision and rounded half
// away from zero to six significant digits, written as "%.6g" with a
// three-digit exponent; 0, no number and numbers beyond single precision
// give the empty text.
//   "12.3456789" -> "12.3457"   "1234567" -> "1.23457e+006"   "99999.95" -> "100000"
std::string RewriteDecimalNumber(std::string_view content);

}  // namespace corvanel
