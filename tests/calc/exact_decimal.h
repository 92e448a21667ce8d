// Exact references for the numeric text tests, built on a small unsigned
// big integer: the whole decimal expansion of a double, and whether a double
// is the correctly rounded reading of a decimal.
//
// They trade speed for obviousness; they are for tests only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvanel::testing {

class BigUnsigned {
 public:
  explicit BigUnsigned(std::uint64_t value = 0);
  static BigUnsigned FromDecimal(std::string_view digits);

  BigUnsigned& MultiplyBy(std::uint32_t factor);
  BigUnsigned& MultiplyByPowerOf(std::uint32_t base, std::int64_t exponent);
  BigUnsigned& ShiftLeft(std::int64_t bits);
  BigUnsigned& Add(const BigUnsigned& other);
  std::string ToDecimal() const;

  friend int Compare(const BigUnsigned& a, const BigUnsigned& b);

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;  // least significant first
};

// value = 0.digits × 10^exponent; the digits have no leading or trailing zeros.
struct Decimal {
  std::string digits;
  std::int64_t exponent = 0;
};

// The exact decimal expansion of a finite, positive double.
Decimal ExactDecimal(double x);

// The exact decimal expansion of the point halfway between a finite,
// positive double and the next larger one.
Decimal ExactMidpointAbove(double x);

// Whether `x` (zero, positive or +inf) is the double nearest to
// digits × 10^scale, ties to even, with overflow to infinity and underflow to
// zero as round-to-nearest gives them. The digits may hold any zeros.
bool IsNearestDouble(std::string_view digits, std::int64_t scale, double x);

}  // namespace corvanel::testing
