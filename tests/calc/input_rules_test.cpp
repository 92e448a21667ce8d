#include "calc/input_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace corvanel {
namespace {

// Every character of the Basic Multilingual Plane and a few beyond: only
// the listed ones are taken.
TEST(TypedCharacterTest, TakesOnlyItsOwnCharacters) {
  constexpr std::u32string_view kWhole = U"-0123456789";
  constexpr std::u32string_view kDecimal = U"-.0123456789";
  for (char32_t c = 0; c < 0x10000; ++c) {
    EXPECT_EQ(kWhole.find(c) != kWhole.npos, AcceptsWholeNumberChar(c)) << static_cast<unsigned>(c);
    EXPECT_EQ(kDecimal.find(c) != kDecimal.npos, AcceptsDecimalChar(c)) << static_cast<unsigned>(c);
  }
  for (char32_t c : {U'\U0001F600', U'\U00020000', char32_t{0x10FFFF}, char32_t{0xFFFFFFFF}}) {
    EXPECT_FALSE(AcceptsWholeNumberChar(c));
    EXPECT_FALSE(AcceptsDecimalChar(c));
  }
}

struct Rewrite {
  const char* content;
  const char* rewritten;
};

TEST(RewriteWholeNumberTest, KeepsTheLeadingWholeNumberWithin32Bits) {
  const Rewrite cases[] = {
      {"007", "7"},
      {"12-3", "12"},
      {"-", ""},
      {"0", ""},
      {"-0", ""},
      {"", ""},
      {"abc", ""},
      {"99999999999", "2147483647"},
      {"-99999999999", "-2147483648"},
      {"2147483647", "2147483647"},
      {"2147483648", "2147483647"},
      {"-2147483648", "-2147483648"},
      {"-2147483649", "-2147483648"},
      {"123456789012345678901234567890", "2147483647"},  // beyond 64 bits as well
      {"-123456789012345678901234567890", "-2147483648"},
      {" 42", "42"},
      {"\t\r\n42", "42"},
      {"+5", "5"},
      {"- 5", ""},
      {"12.9", "12"},
      {"\xA3\xB1\xA3\xB2", ""},  // １２: full-width digits are not folded here
      {"\xA1\xA1"
       "12",
       ""},  // nor the ideographic space
  };
  for (const auto& c : cases) EXPECT_EQ(c.rewritten, RewriteWholeNumber(c.content)) << '"' << c.content << '"';
}

TEST(RewriteDecimalNumberTest, RoundsToSixSignificantDigitsOfASingle) {
  const Rewrite cases[] = {
      {"200", "200"},
      {"12.3456789", "12.3457"},
      {"-12.3456789", "-12.3457"},
      {"3.14159265", "3.14159"},
      {"1234567", "1.23457e+006"},
      {".5", "0.5"},
      {"0.1", "0.1"},  // the single nearest 0.1 is 0.100000001490116
      {"99999.95", "100000"},
      {"-99999.95", "-100000"},
      {"123456.5", "123457"},  // exact in single precision: a half rounds away from zero
      {"1.5.5", "1.5"},
      {"1.5d2", "150"},
      {"0.000123456789", "0.000123457"},
      {"0.00001", "1e-005"},
      {"47.7464831", "47.7465"},
      {"0.00", ""},
      {"-", ""},
      {"-0", ""},
      {"", ""},
      {"abc", ""},
      {"\xA3\xB1\xA3\xB2", ""},  // １２: not folded
      {"1e-50", ""},             // underflows to zero in single precision
      {"1e-40", "1e-040"},       // a subnormal single
      {"3.4028235e38", "3.40282e+038"},
      // Beyond the single-precision range: nothing sensible to show.
      {"3.4028236e38", ""},
      {"-1e39", ""},
      {"1234567890123456789012345678901234567890", ""},
      {"1e400", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.rewritten, RewriteDecimalNumber(c.content)) << '"' << c.content << '"';
}

// A rewritten content is already in normal form.
TEST(RewriteTest, RewritingTwiceChangesNothing) {
  for (std::string_view content : {"007", "-99999999999", " 42", "12.3456789", "1234567", "99999.95", "1e-40",
                                   "3.4028235e38", "0.000123456789", "-47.7464831"}) {
    const std::string whole = RewriteWholeNumber(content);
    EXPECT_EQ(whole, RewriteWholeNumber(whole)) << content;
    const std::string decimal = RewriteDecimalNumber(content);
    EXPECT_EQ(decimal, RewriteDecimalNumber(decimal)) << content;
  }
}

}  // namespace
}  // namespace corvanel
