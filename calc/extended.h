// The extended precision the calculation is carried out in.
//
// Values handed from step to step are doubles; arithmetic between them runs
// with a 64-bit significand and is rounded to double only where a value is
// stored. Another width would change digits the user sees, so the build
// refuses it.
#pragma once

#include <cfloat>
#include <limits>

static_assert(LDBL_MANT_DIG == 64, "needs long double with a 64-bit significand (x87 extended)");
static_assert(std::numeric_limits<double>::is_iec559, "needs IEEE 754 doubles");

namespace corvanel {

using Extended = long double;

// An extended intermediate rounded to the double it is stored as.
constexpr double Store(Extended value) { return static_cast<double>(value); }

}  // namespace corvanel
