#include "calc/input_rules.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "calc/extended.h"
#include "calc/numeric_text.h"

namespace corvanel {
namespace {

constexpr bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
constexpr bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// 10^k correctly rounded to extended precision: exact up to 10^27, one
// rounding of a product of two exact powers beyond.
Extended PowerOfTen(int k) {
  constexpr int kExactUpTo = 27;
  Extended power = 1;
  for (int i = 0; i < std::min(k, kExactUpTo); ++i) power *= 10;
  Extended rest = 1;
  for (int i = kExactUpTo; i < k; ++i) rest *= 10;
  return power * rest;
}

// Rounds a single-precision value half away from zero to six significant
// digits, scaling by powers of ten estimated from its binary exponent.
Extended RoundToSixDigits(float x) {
  const auto bits = std::bit_cast<std::uint32_t>(x);
  const int binaryExponent = static_cast<int>((bits >> 23) & 0xFF) - 127;
  constexpr Extended kLog10Of2 = 0.301029995663981195213738894724493027L;
  int decimalExponent = static_cast<int>(binaryExponent * kLog10Of2);  // toward zero
  const Extended magnitude = std::fabs(static_cast<Extended>(x));
  Extended scale = PowerOfTen(std::abs(decimalExponent));
  Extended scaled = decimalExponent > 0 ? magnitude / scale : magnitude * scale;
  if (scaled >= 10) {
    scale *= 10;
    ++decimalExponent;
    scaled *= 1e4L;
  } else if (scaled < 1) {
    scale *= 10;
    --decimalExponent;
    scaled *= 1e6L;
  } else {
    scaled *= 1e5L;
  }
  Extended digits = 0;
  if (std::modf(scaled, &digits) >= 0.5L) digits += 1;
  const Extended rounded = decimalExponent > 0 ? digits * scale * 1e-5L : digits / (scale * 1e5L);
  return x < 0 ? -rounded : rounded;
}

}  // namespace

bool AcceptsWholeNumberChar(char32_t c) { return c == '-' || IsDigit(c); }

bool AcceptsDecimalChar(char32_t c) { return c == '-' || c == '.' || IsDigit(c); }

std::string RewriteWholeNumber(std::string_view content) {
  std::size_t at = 0;
  while (at < content.size() && IsBlank(content[at])) ++at;
  bool negative = false;
  if (at < content.size() && (content[at] == '+' || content[at] == '-')) negative = content[at++] == '-';
  // Digits beyond the 64-bit range saturate; the clamp below takes them anyway.
  constexpr std::int64_t kSaturated = std::numeric_limits<std::int64_t>::max() / 10;
  std::int64_t magnitude = 0;
  for (; at < content.size() && IsDigit(static_cast<unsigned char>(content[at])); ++at) {
    magnitude = magnitude < kSaturated ? magnitude * 10 + (content[at] - '0') : kSaturated;
  }
  const std::int64_t value =
      std::clamp<std::int64_t>(negative ? -magnitude : magnitude, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max());
  return value == 0 ? std::string() : std::to_string(value);
}

std::string RewriteDecimalNumber(std::string_view content) {
  // Halfway between the largest float and 2^128: from here on a float
  // rounds to infinity, and there is nothing sensible to show.
  constexpr double kSingleOverflow = 0x1.ffffffp+127;
  const double value = ReadDecimalPrefix(content);
  if (std::fabs(value) >= kSingleOverflow) return {};
  const auto single = static_cast<float>(value);
  const std::string text = FormatSignificant(Store(RoundToSixDigits(single)), 6);
  return text == "0" ? std::string() : text;
}

}  // namespace corvanel
