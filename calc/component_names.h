// The names by which the calculation and the window address components.
#pragma once

#include <string_view>

namespace corvanel::component {

inline constexpr std::string_view kDrivingTeeth = "主动轮齿数框";
inline constexpr std::string_view kDrivenTeeth = "从动轮齿数框";
inline constexpr std::string_view kCentreDistance = "设计中心距框";
inline constexpr std::string_view kToothProfile = "齿形框";
inline constexpr std::string_view kResult = "计算结果框";
// Hidden working boxes: the pitch diameters, kept as texts between presses.
inline constexpr std::string_view kDp1 = "Dp1";
inline constexpr std::string_view kDp2 = "Dp2";

}  // namespace corvanel::component
