#include "calc/belt_calculator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvanel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

// GBK texts of the notices.
constexpr const char* kWrongInput = "\xC7\xEB\xCA\xE4\xC8\xEB\xD5\xFD\xC8\xB7\xB5\xC4\xB2\xCE\xCA\xFD";
constexpr const char* kTooSmall =
    "\xC4\xFA\xC9\xE8\xBC\xC6\xB5\xC4\xD6\xD0\xD0\xC4\xBE\xE0\xB9\xFD\xD0\xA1\xA3\xA8\xB2\xBB\xBA\xCF"
    "\xC0\xED\xA3\xA9\xA3\xA1\xC7\xEB\xD6\xD8\xD0\xC2\xCA\xE4\xC8\xEB...";
constexpr const char* kTitle = "\xCE\xC2\xDC\xB0\xCC\xE1\xCA\xBE";

// The window as a table of named texts that records what the calculator
// reads, writes and shows.
class TextTable : public ComponentAccess {
 public:
  std::string GetComponentText(std::string_view name) override {
    reads.emplace_back(name);
    const auto found = texts.find(std::string(name));
    return found == texts.end() ? std::string() : found->second;
  }
  void SetComponentText(std::string_view name, std::string_view text) override {
    writes.emplace_back(name, text);
    texts[std::string(name)] = text;
  }
  int ShowNotice(std::string_view text, unsigned buttons, std::string_view title) override {
    EXPECT_EQ(0u, buttons);
    EXPECT_EQ(kTitle, title);
    notices.emplace_back(text);
    return 1;
  }

  std::map<std::string, std::string> texts;
  std::vector<std::string> reads;
  std::vector<std::pair<std::string, std::string>> writes;
  std::vector<std::string> notices;
};

class BeltCalculatorTest : public ::testing::Test {
 protected:
  // One press with these inputs; the hidden boxes keep what earlier presses left.
  void Press(const char* profile, const char* driving, const char* driven, const char* centre) {
    window_.texts["齿形框"] = profile;
    window_.texts["主动轮齿数框"] = driving;
    window_.texts["从动轮齿数框"] = driven;
    window_.texts["设计中心距框"] = centre;
    window_.reads.clear();
    window_.writes.clear();
    window_.notices.clear();
    BeltCalculator(window_).Calculate();
  }
  std::string Text(const char* name) { return window_.texts[name]; }

  TextTable window_;
};

TEST_F(BeltCalculatorTest, WritesDiametersThenLengthOnFirstPress) {
  const struct {
    const char *profile, *driving, *driven, *centre, *dp1, *dp2, *length;
  } cases[] = {
      {"T5/AT5", "20", "40", "200", "31.83098861422", "63.66197722845", "551.19"},
      {"T2.5", "15", "15", "100", "11.93662073033", "11.93662073033", "237.481"},  // equal teeth: no correction
      {"T10/AT10", "24", "48", "300", "76.39437267413", "152.7887453483", "964.681"},
      {"T20/AT20", "18", "36", "500", "114.5915590112", "229.1831180224", "1546.292"},
      {"T2.5", "1", "1", "1", "0.7957747153556", "0.7957747153556", "4.499"},
      {"T20/AT20", "2147483647", "2147483647", "100000000000", "13671305503.38", "13671305503.38", "242927899280.6"},
      // Texts are read with full-width folding and up to their numeric prefix.
      {"T5/AT5", "\xA3\xB2\xA3\xB0", " 40abc", "2e2", "31.83098861422", "63.66197722845", "551.19"},
  };
  for (const auto& c : cases) {
    window_ = TextTable();
    Press(c.profile, c.driving, c.driven, c.centre);
    EXPECT_THAT(window_.notices, IsEmpty()) << c.profile;
    EXPECT_THAT(window_.writes, ElementsAre(Pair("Dp1", c.dp1), Pair("Dp2", c.dp2), Pair("计算结果框", c.length)))
        << c.profile << ' ' << c.driving << ' ' << c.driven << ' ' << c.centre;
  }
}

TEST_F(BeltCalculatorTest, RefusesAMissingInputAtTheFirstEmptyText) {
  const struct {
    const char *profile, *driving, *driven, *centre;
    std::vector<std::string> read;
  } cases[] = {
      {"", "", "", "", {"主动轮齿数框"}},
      {"T5/AT5", "", "40", "200", {"主动轮齿数框"}},
      {"T5/AT5", "20", "", "200", {"主动轮齿数框", "从动轮齿数框"}},
      {"T5/AT5", "20", "40", "", {"主动轮齿数框", "从动轮齿数框", "设计中心距框"}},
      {"", "20", "40", "200", {"主动轮齿数框", "从动轮齿数框", "设计中心距框", "齿形框"}},
  };
  for (const auto& c : cases) {
    Press(c.profile, c.driving, c.driven, c.centre);
    EXPECT_THAT(window_.notices, ElementsAre(kWrongInput));
    EXPECT_EQ(c.read, window_.reads);
    EXPECT_THAT(window_.writes, IsEmpty());
  }
}

// A pulley with no teeth, or an infinite number, has no diameter worth
// showing; such input is refused like a missing one.
TEST_F(BeltCalculatorTest, RefusesTeethThatAreNotPositiveOrNotFinite) {
  const struct {
    const char *driving, *driven, *centre;
  } cases[] = {
      {"0", "40", "200"},     {"abc", "40", "200"},   {"-20", "40", "200"},  {"20", "-0", "200"},
      {"20", "   ", "200"},   {"1e400", "40", "200"}, {"20", "40", "1e400"}, {"20", "40", "-1e999"},
      {"1e307", "40", "200"},  // finite teeth, but the diameter overflows
  };
  for (const auto& c : cases) {
    Press("T20/AT20", c.driving, c.driven, c.centre);
    EXPECT_THAT(window_.notices, ElementsAre(kWrongInput)) << c.driving << ' ' << c.driven << ' ' << c.centre;
    EXPECT_THAT(window_.writes, IsEmpty());
  }
}

TEST_F(BeltCalculatorTest, EndsSilentlyOnAnUnknownProfile) {
  for (const char* profile : {"t5/at5", " T5/AT5", "T5/AT5 ", "XL", "T5", "T5/AT5\xA3\xA0"}) {
    for (const char* centre : {"200", "0"}) {
      Press(profile, "20", "40", centre);
      EXPECT_THAT(window_.notices, IsEmpty()) << profile;
      EXPECT_THAT(window_.writes, IsEmpty()) << profile;
    }
  }
}

// The pulleys must not overlap: the centre distance has to exceed half the
// sum of this press's diameters, as read back from their texts, by 1e-7.
TEST_F(BeltCalculatorTest, RefusesACentreDistanceThatLetsThePulleysOverlap) {
  // Half the diameters of 20 and 40 teeth of T5: 47.746482921335.
  const struct {
    const char* centre;
    const char* length;  // nullptr: refused
  } cases[] = {
      {"40", nullptr},
      {"0", nullptr},
      {"-5", nullptr},
      {"   ", nullptr},
      {"47.746483", nullptr},  // 7.9e-8 more: not enough
      {"47.746482921335", nullptr},
      {"47.7464831", "250.722"},
      {"200", "551.19"},
  };
  for (const auto& c : cases) {
    Press("T5/AT5", "20", "40", c.centre);
    if (c.length == nullptr) {
      EXPECT_THAT(window_.notices, ElementsAre(kTooSmall)) << c.centre;
      EXPECT_THAT(window_.writes, IsEmpty()) << c.centre;
    } else {
      EXPECT_THAT(window_.notices, IsEmpty()) << c.centre;
      EXPECT_EQ(c.length, Text("计算结果框")) << c.centre;
    }
  }
}

// Whatever an earlier press left in the hidden boxes does not decide the
// check: only this press's pulleys do.
TEST_F(BeltCalculatorTest, ChecksTheCentreDistanceWithThisPresssDiameters) {
  Press("T5/AT5", "20", "40", "200");
  Press("T5/AT5", "60", "120", "100");  // 143.24 would be needed
  EXPECT_THAT(window_.notices, ElementsAre(kTooSmall));
  EXPECT_EQ("31.83098861422", Text("Dp1"));
  EXPECT_EQ("551.19", Text("计算结果框"));

  Press("T5/AT5", "60", "120", "200");
  EXPECT_THAT(window_.writes,
              ElementsAre(Pair("Dp1", "95.49296584267"), Pair("Dp2", "190.9859316853"), Pair("计算结果框", "861.171")));
  Press("T5/AT5", "20", "40", "48");  // smaller pulleys again: fits, although Dp1 and Dp2 hold larger ones
  EXPECT_THAT(window_.notices, IsEmpty());
  EXPECT_EQ("31.83098861422", Text("Dp1"));

  window_.texts["Dp1"] = "1e300";
  window_.texts["Dp2"] = "-1e300";
  Press("T5/AT5", "20", "40", "40");
  EXPECT_THAT(window_.notices, ElementsAre(kTooSmall));
  window_.texts["Dp2"] = "1e300";
  Press("T5/AT5", "20", "40", "200");
  EXPECT_EQ("551.19", Text("计算结果框"));
}

TEST_F(BeltCalculatorTest, ComputesTheLengthFromTheTextsItWrote) {
  Press("T5/AT5", "20", "40", "200");
  // The difference comes from the texts, 31.83098861422 - 63.66197722845,
  // not from the doubles; only the written texts are read back.
  EXPECT_THAT(window_.reads, ElementsAre("主动轮齿数框", "从动轮齿数框", "设计中心距框", "齿形框", "Dp1", "Dp2"));
}

TEST(CompareTextTest, ComparesUnsignedBytesWithTheEndAsZero) {
  const struct {
    const char *a, *b;
    int order;
  } cases[] = {
      {"", "", 0},
      {"T5/AT5", "T5/AT5", 0},
      {"a", "", 1},
      {"", "a", -1},
      {"T5", "T5/AT5", -1},
      {"T5/AT5", "t5/at5", -1},
      {"T5/AT5 ", "T5/AT5", 1},
      {"\x80", "a", 1},
      {"\xFF", "\xFE", 1},
      {"\xA3\xB5", "5", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.order, CompareText(c.a, c.b)) << c.a << " vs " << c.b;
}

}  // namespace
}  // namespace corvanel
