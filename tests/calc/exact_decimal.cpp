#include "tests/calc/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvanel::testing {

BigUnsigned::BigUnsigned(std::uint64_t value) {
  limbs_ = {static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
  Trim();
}

BigUnsigned BigUnsigned::FromDecimal(std::string_view digits) {
  BigUnsigned result;
  for (char digit : digits) {
    result.MultiplyBy(10);
    result.Add(BigUnsigned(static_cast<std::uint64_t>(digit - '0')));
  }
  return result;
}

BigUnsigned& BigUnsigned::MultiplyBy(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (auto& limb : limbs_) {
    const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  Trim();
  return *this;
}

BigUnsigned& BigUnsigned::MultiplyByPowerOf(std::uint32_t base, std::int64_t exponent) {
  // As many factors at a time as fit in one limb.
  std::uint32_t chunk = 1;
  std::int64_t perChunk = 0;
  while (chunk <= UINT32_MAX / base) {
    chunk *= base;
    ++perChunk;
  }
  for (; exponent >= perChunk; exponent -= perChunk) MultiplyBy(chunk);
  for (; exponent > 0; --exponent) MultiplyBy(base);
  return *this;
}

BigUnsigned& BigUnsigned::ShiftLeft(std::int64_t bits) {
  if (limbs_.empty() || bits <= 0) return *this;
  limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0u);
  return MultiplyBy(1u << (bits % 32));
}

BigUnsigned& BigUnsigned::Add(const BigUnsigned& other) {
  limbs_.resize(std::max(limbs_.size(), other.limbs_.size()) + 1, 0u);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const std::uint64_t sum = carry + limbs_[i] + (i < other.limbs_.size() ? other.limbs_[i] : 0u);
    limbs_[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
  Trim();
  return *this;
}

std::string BigUnsigned::ToDecimal() const {
  // Nine digits at a time, least significant group first.
  constexpr std::uint32_t kGroup = 1'000'000'000;
  std::vector<std::uint32_t> rest = limbs_;
  std::string reversed;
  while (!rest.empty()) {
    std::uint64_t remainder = 0;
    for (auto it = rest.rbegin(); it != rest.rend(); ++it) {
      const std::uint64_t current = (remainder << 32) | *it;
      *it = static_cast<std::uint32_t>(current / kGroup);
      remainder = current % kGroup;
    }
    while (!rest.empty() && rest.back() == 0) rest.pop_back();
    for (int i = 0; i < 9 && (remainder != 0 || !rest.empty()); ++i, remainder /= 10) {
      reversed += static_cast<char>('0' + remainder % 10);
    }
  }
  if (reversed.empty()) return "0";
  return {reversed.rbegin(), reversed.rend()};
}

int Compare(const BigUnsigned& a, const BigUnsigned& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  }
  return 0;
}

void BigUnsigned::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

namespace {

// x = significand × 2^exponent with a whole significand.
struct Binary {
  std::uint64_t significand;
  std::int64_t exponent;
};

Binary Split(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const auto field = static_cast<std::int64_t>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (field == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), field - 1075};
}

// significand × 2^exponent as a decimal.
Decimal ToDecimal(BigUnsigned significand, std::int64_t exponent) {
  std::int64_t decimalScale = 0;
  if (exponent >= 0) {
    significand.ShiftLeft(exponent);
  } else {
    significand.MultiplyByPowerOf(5, -exponent);  // m·2^-n = m·5^n·10^-n
    decimalScale = exponent;
  }
  std::string digits = significand.ToDecimal();
  const std::size_t last = digits.find_last_not_of('0');
  decimalScale += static_cast<std::int64_t>(digits.size() - last - 1);
  digits.erase(last + 1);
  return {digits, static_cast<std::int64_t>(digits.size()) + decimalScale};
}

// Sign of digits×10^scale − significand×2^exponent.
int CompareDecimalWithBinary(std::string_view digits, std::int64_t scale, BigUnsigned significand,
                             std::int64_t exponent) {
  BigUnsigned decimal = BigUnsigned::FromDecimal(digits);
  if (scale >= 0) {
    decimal.MultiplyByPowerOf(5, scale);
  } else {
    significand.MultiplyByPowerOf(5, -scale);
  }
  // Both sides now carry a power of two: 2^scale and 2^exponent.
  const std::int64_t common = std::min(scale, exponent);
  decimal.ShiftLeft(scale - common);
  significand.ShiftLeft(exponent - common);
  return Compare(decimal, significand);
}

// The point halfway between x and the next larger double (the overflow
// threshold above the largest double), as significand × 2^exponent.
Binary MidpointAbove(double x) {
  const Binary below = Split(x);
  // Next double up has significand + 1 at the same exponent, except across a
  // binade, where the same point is still significand + 1/2 units above x.
  return {below.significand * 2 + 1, below.exponent - 1};
}

}  // namespace

Decimal ExactDecimal(double x) {
  const Binary parts = Split(x);
  return ToDecimal(BigUnsigned(parts.significand), parts.exponent);
}

Decimal ExactMidpointAbove(double x) {
  const Binary mid = MidpointAbove(x);
  return ToDecimal(BigUnsigned(mid.significand), mid.exponent);
}

bool IsNearestDouble(std::string_view digits, std::int64_t scale, double x) {
  const auto compareWithMidpointAbove = [&](double at) {
    const Binary mid = MidpointAbove(at);
    return CompareDecimalWithBinary(digits, scale, BigUnsigned(mid.significand), mid.exponent);
  };
  const bool even = (Split(x).significand & 1) == 0;
  if (std::isinf(x)) return compareWithMidpointAbove(std::numeric_limits<double>::max()) >= 0;
  const int againstUpper = compareWithMidpointAbove(x);
  if (againstUpper > 0 || (againstUpper == 0 && !even)) return false;
  if (x == 0) return true;
  const int againstLower = compareWithMidpointAbove(std::nextafter(x, 0.0));
  return againstLower > 0 || (againstLower == 0 && even);
}

}  // namespace corvanel::testing
