// Arbitrary bytes through the calculator's text rules and a whole press.
// Crashes, sanitizer reports and broken invariants all stop the run.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calc/belt_calculator.h"
#include "calc/input_rules.h"
#include "calc/numeric_text.h"

namespace {

using namespace corvanel;

void Require(bool holds) {
  if (!holds) __builtin_trap();
}

// The window as named texts cut from the input at newlines.
class TextTable : public ComponentAccess {
 public:
  std::string GetComponentText(std::string_view name) override { return texts[std::string(name)]; }
  void SetComponentText(std::string_view name, std::string_view text) override {
    writes.emplace_back(name);
    texts[std::string(name)] = text;
  }
  int ShowNotice(std::string_view, unsigned, std::string_view) override { return ++notices; }

  std::map<std::string, std::string> texts;
  std::vector<std::string> writes;
  int notices = 0;
};

void PressWith(std::string_view bytes) {
  static const char* const kNames[] = {"主动轮齿数框", "从动轮齿数框", "设计中心距框", "齿形框", "Dp1", "Dp2"};
  TextTable window;
  for (const char* name : kNames) {
    const auto cut = bytes.find('\n');
    window.texts[name] = bytes.substr(0, cut);
    bytes = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);
  }
  BeltCalculator(window).Calculate();
  // Either refused with one notice and nothing written, or the three texts
  // written in order, or (unknown profile) nothing at all.
  Require(window.notices <= 1);
  Require(window.writes.empty() ||
          (window.notices == 0 && window.writes == std::vector<std::string>{"Dp1", "Dp2", "计算结果框"}));
  if (!window.writes.empty()) Require(!window.texts["计算结果框"].empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  Require(FoldFullWidth(bytes).size() <= size);
  const double number = ToNumber(bytes);
  Require(!std::isnan(number));
  Require(!ToText(number).empty());

  // The input boxes' rewriting gives a normal form.
  const std::string whole = RewriteWholeNumber(bytes);
  Require(RewriteWholeNumber(whole) == whole);
  const std::string decimal = RewriteDecimalNumber(bytes);
  Require(RewriteDecimalNumber(decimal) == decimal);

  if (size >= 9) {
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    const int digits = static_cast<std::int8_t>(data[8]);
    Require(!FormatSignificant(x, digits).empty());
    if (std::isfinite(x)) Require(ReadDecimalPrefix(FormatSignificant(x, 17)) == x);
    RoundDigits(x, digits % 30);
    Power(x, number);
  }
  PressWith(bytes);
  return 0;
}
