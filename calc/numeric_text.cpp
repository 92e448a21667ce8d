#include "calc/numeric_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <utility>

#include "calc/extended.h"

namespace corvanel {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The NaN that the processor produces for an invalid operation such as 0/0:
// sign set, only the quiet bit of the fraction set.
constexpr std::uint64_t kIndefiniteNaN = 0xFFF8'0000'0000'0000;
constexpr std::uint64_t kQuietBit = 0x0008'0000'0000'0000;

// The ASCII character a GBK full-width pair folds to, or 0 when it is kept.
char FoldedPair(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
  if (lead != 0xA1) return 0;
  switch (trail) {
    case 0xA1: return ' ';  // ideographic space
    case 0xAB: return '~';  // ～
    case 0xEE: return '*';  // ☆
    case 0xEF: return '*';  // ★
    default: return 0;
  }
}

// ---- Reading ------------------------------------------------------------

// Exponents beyond this change nothing: the value is already far outside the
// double range. Saturating keeps a run of a million exponent digits harmless.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// The optional exponent at `at`: a letter, a sign and at least one digit, or
// nothing (an incomplete exponent does not belong to the number).
std::int64_t ReadExponent(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  const char letter = text[at];
  if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D') return 0;
  ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  std::int64_t exponent = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (text[at] - '0');
  }
  return negative ? -exponent : exponent;
}

// The magnitude of digits × 10^scale: the double nearest to it. The digits
// carry no leading or trailing zeros and are not empty.
double NearestDouble(std::string digits, std::int64_t scale) {
  // 10^(order - 1) <= value < 10^order
  const std::int64_t order = static_cast<std::int64_t>(digits.size()) + scale;
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (order > 309) return kInfinity;  // at least 1e309
  if (order < -324) return 0.0;       // below 1e-325, under half the least subnormal
  char exponent[24] = {'e'};
  const auto written = std::to_chars(exponent + 1, std::end(exponent), scale);
  digits.append(exponent, written.ptr);
  double value = 0;
  const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (read.ec == std::errc::result_out_of_range) return order > 0 ? kInfinity : 0.0;
  return value;
}

// ---- Formatting ---------------------------------------------------------

// |x| ≈ 0.digits × 10^exponent: a leading digit that is not zero.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

// The significant digits of |x| as the standard library writes them with
// `count` digits, correctly rounded (exact when `count` covers the whole
// expansion), and the decimal exponent of the first digit.
int ScientificDigits(double magnitude, int count, char* digits, char* buffer, std::size_t size) {
  const auto written = std::to_chars(buffer, buffer + size, magnitude, std::chars_format::scientific, count - 1);
  const char* at = buffer;
  for (int i = 0; i < count; ++at) {
    if (*at != '.') digits[i++] = *at;
  }
  int exponent = 0;
  const char* sign = at + 1;  // past the 'e'
  std::from_chars(sign + (*sign == '+' ? 1 : 0), written.ptr, exponent);
  return exponent;
}

// Adds one to a run of decimal digits; false when the run was all nines and
// has become all zeros.
bool Increment(char* first, char* last) {
  while (last != first) {
    --last;
    if (*last != '9') {
      ++*last;
      return true;
    }
    *last = '0';
  }
  return false;
}

// The decimal expansion of |x| rounded to 17 significant digits, a digit of
// 5 or more in the 18th place rounding up, with trailing zeros removed.
DecimalDigits SeventeenDigits(double magnitude) {
  // Twenty-five correctly rounded digits decide the 18th digit unless they
  // end in 5 followed by zeros; then only the exact expansion (at most 767
  // significant digits for a double) can tell a half from a near-half.
  constexpr int kProbe = 25;
  constexpr int kExact = 800;
  std::array<char, kExact> digits{};
  std::array<char, kExact + 16> buffer{};
  int exponent = ScientificDigits(magnitude, kProbe, digits.data(), buffer.data(), buffer.size());
  if (std::string_view(digits.data() + 17, kProbe - 17) == "50000000") {
    exponent = ScientificDigits(magnitude, kExact, digits.data(), buffer.data(), buffer.size());
  }
  const bool up = digits[17] >= '5';
  if (up && !Increment(digits.data(), digits.data() + 17)) {
    digits[0] = '1';
    ++exponent;
  }
  std::string_view kept(digits.data(), 17);
  kept = kept.substr(0, kept.find_last_not_of('0') + 1);
  return {std::string(kept), exponent + 1};
}

std::string NotANumberText(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  if (bits == kIndefiniteNaN) return "-1.#IND";
  std::string text = std::signbit(x) ? "-" : "";
  text += (bits & kQuietBit) ? "1.#QNAN" : "1.#SNAN";
  return text;
}

void DropTrailingZeros(std::string& text) { text.erase(text.find_last_not_of('0') + 1); }

// More digits than this cannot change the text: from 310 on every finite
// double with a leading digit exponent of -4 or more prints in fixed form.
constexpr int kMostDigits = 400;

}  // namespace

std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      folded += text[i];
      continue;
    }
    if (i + 1 == text.size()) break;  // a lead byte with no partner
    const auto trail = static_cast<unsigned char>(text[++i]);
    if (const char ascii = FoldedPair(lead, trail)) {
      folded += ascii;
    } else {
      folded += text[i - 1];
      folded += text[i];
    }
  }
  return folded;
}

double ReadDecimalPrefix(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';

  const std::size_t integerBegin = at;
  const std::size_t integerEnd = SkipDigits(text, at);
  std::size_t fractionBegin = integerEnd;
  std::size_t fractionEnd = integerEnd;
  if (fractionBegin < text.size() && text[fractionBegin] == '.') {
    ++fractionBegin;
    fractionEnd = SkipDigits(text, fractionBegin);
  }
  if (integerEnd == integerBegin && fractionEnd == fractionBegin) return 0.0;  // no digit at all

  const std::size_t mantissaEnd = std::max(integerEnd, fractionEnd);
  std::string digits;
  digits.reserve(mantissaEnd - integerBegin + 24);
  digits.append(text.substr(integerBegin, integerEnd - integerBegin));
  digits.append(text.substr(fractionBegin, fractionEnd - fractionBegin));
  std::int64_t scale = ReadExponent(text, mantissaEnd) - static_cast<std::int64_t>(fractionEnd - fractionBegin);

  const std::size_t last = digits.find_last_not_of('0');
  double magnitude = 0.0;
  if (last != std::string::npos) {
    scale += static_cast<std::int64_t>(digits.size() - last - 1);
    digits.erase(last + 1);
    digits.erase(0, digits.find_first_not_of('0'));
    magnitude = NearestDouble(std::move(digits), scale);
  }
  return negative ? -magnitude : magnitude;
}

std::string FormatSignificant(double x, int digits) {
  if (x == 0) return "0";
  if (std::isinf(x)) return x < 0 ? "-1.#INF" : "1.#INF";
  if (std::isnan(x)) return NotANumberText(x);

  const std::size_t precision = static_cast<std::size_t>(std::clamp(digits, 1, kMostDigits));
  auto [mantissa, exponent] = SeventeenDigits(std::fabs(x));
  if (mantissa.size() < precision) mantissa.resize(precision, '0');
  if (mantissa.size() > precision) {
    const bool up = mantissa[precision] >= '5';
    mantissa.resize(precision);
    if (up && !Increment(mantissa.data(), mantissa.data() + precision)) {
      mantissa.insert(mantissa.begin(), '1');  // P + 1 digits for now
      ++exponent;
    }
  }

  const int leading = exponent - 1;  // decimal exponent of the first digit
  std::string text = x < 0 ? "-" : "";
  if (leading < -4 || leading >= static_cast<int>(precision)) {
    std::string fraction = mantissa.substr(1, precision - 1);
    DropTrailingZeros(fraction);
    text += mantissa[0];
    if (!fraction.empty()) text += '.' + fraction;
    const int magnitude = std::abs(leading);
    text += leading < 0 ? "e-" : "e+";
    if (magnitude < 100) text += '0';
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
  }
  mantissa.resize(precision);
  std::string fraction;
  if (leading >= 0) {
    text.append(mantissa, 0, static_cast<std::size_t>(leading) + 1);
    fraction = mantissa.substr(static_cast<std::size_t>(leading) + 1);
  } else {
    text += '0';
    fraction = std::string(static_cast<std::size_t>(-leading - 1), '0') + mantissa;
  }
  DropTrailingZeros(fraction);
  if (!fraction.empty()) text += '.' + fraction;
  return text;
}

double ToNumber(std::string_view text) { return ReadDecimalPrefix(FoldFullWidth(text)); }

std::string ToText(double x) { return FormatSignificant(x, 13); }

double RoundDigits(double x, int places) {
  if (x == 0 || std::isnan(x)) return x;
  // The double nearest to 1e-12 (bits 0x3D719799812DEA11).
  constexpr double kNudge = 1e-12;
  const auto roundHalfUp = [](double scaled) {
    const double nudged = Store(static_cast<Extended>(scaled) + kNudge);
    double whole = 0;
    const double fraction = std::modf(nudged, &whole);
    return fraction >= 0.5 ? whole + 1 : whole;
  };
  const double magnitude = std::fabs(x);
  double rounded = 0;
  if (places > 0) {
    const double scale = Power(10, places);
    const double scaled = Store(static_cast<Extended>(magnitude) * scale);
    rounded = Store(static_cast<Extended>(roundHalfUp(scaled)) / scale);
  } else if (places < 0) {
    const double scale = Power(10, -static_cast<double>(places));
    const double scaled = Store(static_cast<Extended>(magnitude) / scale);
    rounded = Store(static_cast<Extended>(roundHalfUp(scaled)) * scale);
  } else {
    rounded = roundHalfUp(magnitude);
  }
  return std::copysign(rounded, x);
}

double Power(double base, double exponent) {
  if (exponent == 0) return 1;
  if (std::isnan(base) || std::isnan(exponent)) return base + exponent;
  const bool oddInteger = std::fabs(std::fmod(exponent, 2.0)) == 1.0;
  if (base == 0) {
    const double magnitude = exponent > 0 ? 0.0 : std::numeric_limits<double>::infinity();
    return std::signbit(base) && oddInteger ? -magnitude : magnitude;
  }
  if (base < 0) {
    if (exponent != std::trunc(exponent)) return std::bit_cast<double>(kIndefiniteNaN);
    const double magnitude = Power(-base, exponent);
    return oddInteger ? -magnitude : magnitude;
  }
  return Store(std::exp2(static_cast<Extended>(exponent) * std::log2(static_cast<Extended>(base))));
}

}  // namespace corvanel
