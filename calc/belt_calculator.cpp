#include "calc/belt_calculator.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "calc/component_names.h"
#include "calc/extended.h"
#include "calc/numeric_text.h"
#include "calc/tooth_profiles.h"

namespace corvanel {
namespace {

// The notices, in GBK.
constexpr std::string_view kNoticeTitle = "\xCE\xC2\xDC\xB0\xCC\xE1\xCA\xBE";  // 温馨提示
constexpr std::string_view kWrongInput =                                       // 请输入正确的参数
    "\xC7\xEB\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xB5\xC4\xB2\xCE\xCA\xFD";
constexpr std::string_view kCentreDistanceTooSmall =  // 您设计的中心距过小（不合理）！请重新输入...
    "\xC4\xFA\xC9\xE8\xBC\xC6\xB5\xC4\xD6\xD0\xD0\xC4\xBE\xE0\xB9\xFD\xD0\xA1\xA3\xA8\xB2\xBB\xBA\xCF"
    "\xC0\xED\xA3\xA9\xA3\xA1\xC7\xEB\xD6\xD8\xD0\xC2\xCA\xE4\xC8\xEB...";
constexpr unsigned kOkButton = 0;

// The ten-digit value the belt tables were drawn up with, not the double
// nearest to pi; the diameters the user compares against depend on it.
constexpr double kPi = 3.141592654;
// The arc factor of the length formula, 1.57 rather than pi/2, for the same reason.
constexpr double kArcFactor = 1.57;
// The centre distance must exceed half the sum of the diameters by more than this.
constexpr double kClearance = -1e-7;

constexpr ToothProfile kProfiles[] = {
    {"T2.5", 2.5},
    {"T5/AT5", 5},
    {"T10/AT10", 10},
    {"T20/AT20", 20},
};

// The first profile whose text is equal, byte for byte.
const ToothProfile* FindProfile(std::string_view text) {
  const auto profiles = ToothProfiles();
  const auto found = std::find_if(profiles.begin(), profiles.end(),
                                  [text](const ToothProfile& row) { return CompareText(text, row.text) == 0; });
  return found == profiles.end() ? nullptr : &*found;
}

double PitchDiameter(double teeth, double pitch) {
  const double circumference = Store(static_cast<Extended>(teeth) * pitch);
  return Store(static_cast<Extended>(circumference) / kPi);
}

// The pitch length of an open belt, 2·Cd + (a + b)·1.57 + (a − b)² / 4 / Cd,
// from the diameters as read back from their texts.
double PitchLength(double a, double b, double centreDistance) {
  const double straight = Store(static_cast<Extended>(centreDistance) * 2.0);
  const double arcs = Store(static_cast<Extended>(Store(static_cast<Extended>(a) + b)) * kArcFactor);
  const double squared = Power(Store(static_cast<Extended>(a) - b), 2.0);
  const double correction = Store(static_cast<Extended>(squared) / 4.0L / centreDistance);
  return Store(static_cast<Extended>(straight) + arcs + correction);
}

}  // namespace

std::span<const ToothProfile> ToothProfiles() { return kProfiles; }

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t length = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < length; ++i) {
    const auto byteA = i < a.size() ? static_cast<unsigned char>(a[i]) : 0u;
    const auto byteB = i < b.size() ? static_cast<unsigned char>(b[i]) : 0u;
    if (byteA != byteB) return byteA < byteB ? -1 : 1;
  }
  return 0;
}

BeltCalculator::BeltCalculator(ComponentAccess& window) : window_(window) {}

void BeltCalculator::Calculate() {
  const auto notify = [this](std::string_view notice) { window_.ShowNotice(notice, kOkButton, kNoticeTitle); };
  const std::string_view inputNames[] = {component::kDrivingTeeth, component::kDrivenTeeth, component::kCentreDistance,
                                         component::kToothProfile};
  std::string inputs[std::size(inputNames)];
  for (std::size_t i = 0; i < std::size(inputNames); ++i) {
    inputs[i] = window_.GetComponentText(inputNames[i]);
    if (CompareText(inputs[i], "") == 0) {  // the first empty input ends the run
      notify(kWrongInput);
      return;
    }
  }
  const double drivingTeeth = ToNumber(inputs[0]);
  const double drivenTeeth = ToNumber(inputs[1]);
  const double centreDistance = ToNumber(inputs[2]);
  // A pulley needs teeth, and infinities would only come back from their
  // texts as 1.
  if (!(drivingTeeth > 0 && drivenTeeth > 0) ||
      !(std::isfinite(drivingTeeth) && std::isfinite(drivenTeeth) && std::isfinite(centreDistance))) {
    notify(kWrongInput);
    return;
  }
  const ToothProfile* profile = FindProfile(inputs[3]);
  if (profile == nullptr) return;

  const double d1 = PitchDiameter(drivingTeeth, profile->pitch);
  const double d2 = PitchDiameter(drivenTeeth, profile->pitch);
  if (!(std::isfinite(d1) && std::isfinite(d2))) {  // teeth so many that a diameter overflows
    notify(kWrongInput);
    return;
  }
  // The pulleys must not overlap: checked with this press's diameters, as
  // they will read back from their texts.
  const std::string d1Text = ToText(d1);
  const std::string d2Text = ToText(d2);
  const double sum = Store(static_cast<Extended>(ToNumber(d1Text)) + ToNumber(d2Text));
  const double half = Store(static_cast<Extended>(sum) * 0.5);
  if (static_cast<Extended>(half) - centreDistance >= kClearance) {
    notify(kCentreDistanceTooSmall);
    return;
  }

  window_.SetComponentText(component::kDp1, d1Text);
  window_.SetComponentText(component::kDp2, d2Text);
  // The length works on the diameters as their texts hold them.
  const double a = ToNumber(window_.GetComponentText(component::kDp1));
  const double b = ToNumber(window_.GetComponentText(component::kDp2));
  window_.SetComponentText(component::kResult, ToText(RoundDigits(PitchLength(a, b, centreDistance), 3)));
}

}  // namespace corvanel
