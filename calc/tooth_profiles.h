// The belt tooth profiles the calculator knows, in the order the profile
// list offers them, each with its pitch.
#pragma once

#include <span>
#include <string_view>

namespace corvanel {

struct ToothProfile {
  std::string_view text;  // as the profile list shows it
  double pitch;           // mm
};

std::span<const ToothProfile> ToothProfiles();

}  // namespace corvanel
