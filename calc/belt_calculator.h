// The calculation behind the 开始计算 button: from a tooth profile, the teeth
// of both pulleys and the design centre distance, the pitch diameters and
// the pitch length of a timing belt.
//
// The calculator keeps nothing of its own. It reads and writes the texts of
// the window's components by name, so it runs the same over the real window
// and over a plain table of texts.
//
// Worked example: "T5/AT5", 20 and 40 teeth, 200 mm writes
//   Dp1 "31.83098861422", Dp2 "63.66197722845", 计算结果框 "551.19".
#pragma once

#include <string>
#include <string_view>

namespace corvanel {

// Byte-wise comparison of two texts as unsigned bytes, the end of a text
// counting as a 0 byte: -1, 0 or +1. Exact: no trimming, folding or locale.
int CompareText(std::string_view a, std::string_view b);

// What the calculator needs from the window. Texts are GBK bytes and the
// empty string is "no text"; names are the components' names in UTF-8,
// such as "主动轮齿数框".
class ComponentAccess {
 public:
  virtual ~ComponentAccess() = default;
  virtual std::string GetComponentText(std::string_view name) = 0;
  virtual void SetComponentText(std::string_view name, std::string_view text) = 0;
  // A modal notice; returns the button that closed it.
  virtual int ShowNotice(std::string_view text, unsigned buttons, std::string_view title) = 0;
};

class BeltCalculator {
 public:
  explicit BeltCalculator(ComponentAccess& window);

  // One press of the button. Reads 主动轮齿数框, 从动轮齿数框, 设计中心距框 and
  // 齿形框. Rejected input gets a notice and leaves every text as it was;
  // otherwise writes Dp1, Dp2 and 计算结果框, in that order.
  void Calculate();

 private:
  ComponentAccess& window_;
};

}  // namespace corvanel
