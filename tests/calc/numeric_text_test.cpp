#include "calc/numeric_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/calc/exact_decimal.h"

namespace corvanel {
namespace {

using testing::Decimal;
using testing::ExactDecimal;
using testing::ExactMidpointAbove;
using testing::IsNearestDouble;

constexpr double kInf = std::numeric_limits<double>::infinity();

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }
std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// Same double, sign of zero and NaN payload included.
#define EXPECT_SAME_DOUBLE(expected, actual) EXPECT_EQ(Bits(expected), Bits(actual)) << (expected) << " vs " << (actual)

// ---- Formatting -----------------------------------------------------------

struct FormatCase {
  double x;
  int digits;
  const char* text;
};

TEST(FormatSignificantTest, WritesTheCalculatorsTexts) {
  const FormatCase cases[] = {
      // The diameters of the worked examples.
      {15.915494307111402, 13, "15.91549430711"},
      {31.830988614222804, 13, "31.83098861422"},
      {63.66197722844561, 13, "63.66197722845"},
      {0.1, 13, "0.1"},
      {1.0 / 3, 13, "0.3333333333333"},
      {2.0 / 3, 13, "0.6666666666667"},
      {-0.5, 13, "-0.5"},
      {123456789.123, 13, "123456789.123"},
      {1234.568, 13, "1234.568"},
      // Where fixed form gives way to the exponent form.
      {1e12, 13, "1000000000000"},
      {1e13, 13, "1e+013"},
      {1e20, 13, "1e+020"},
      {0.0001, 13, "0.0001"},
      {0.00001, 13, "1e-005"},
      {1e-10, 13, "1e-010"},
      {1234567890123456.0, 13, "1.234567890123e+015"},
      {1.7976931348623157e308, 13, "1.797693134862e+308"},
      {-1.7976931348623157e308, 13, "-1.797693134862e+308"},
      {4.9406564584124654e-324, 13, "4.940656458412e-324"},
      // Halves round up, after the first rounding to 17 digits.
      {9648959374206.5, 13, "9648959374207"},
      {15.172616307775, 13, "15.17261630778"},
      {9.99999999999995, 13, "10"},
      {999999999999.95, 13, "999999999999.9"},
      {0.00012345678901235, 13, "0.0001234567890124"},
      {-0.0, 13, "0"},
      {0.0, 13, "0"},
      // Six digits, as the centre-distance box writes them.
      {1234570, 6, "1.23457e+006"},
      {123456, 6, "123456"},
      {999999.5, 6, "1e+006"},
      {12.3457, 6, "12.3457"},
      {0.5, 6, "0.5"},
      {100000, 6, "100000"},
      {1e-5, 6, "1e-005"},
      // Digit counts outside 1..17 behave as printf's %g would with them.
      {2.5, 0, "3"},
      {2.5, -7, "3"},
      {1e20, 25, "100000000000000000000"},
      {0.1, 25, "0.10000000000000001"},  // 0.1000000000000000055...
      {123.456, 1000000, "123.456"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, FormatSignificant(c.x, c.digits)) << c.x << " with " << c.digits << " digits";
  }
}

TEST(FormatSignificantTest, WritesInfinitiesAndNaNsByTheirBits) {
  const struct {
    std::uint64_t bits;
    const char* text;
  } cases[] = {
      {0x7FF0000000000000, "1.#INF"},   {0xFFF0000000000000, "-1.#INF"},
      {0xFFF8000000000000, "-1.#IND"},  // the NaN of invalid operations
      {0x7FF8000000000000, "1.#QNAN"},  {0xFFF8000000000001, "-1.#QNAN"},
      {0x7FFFFFFFFFFFFFFF, "1.#QNAN"},  {0x7FF0000000000001, "1.#SNAN"},
      {0xFFF4000000000000, "-1.#SNAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, ToText(FromBits(c.bits))) << std::hex << c.bits;
}

// What a text says: its significant digits without trailing zeros and the
// decimal exponent of the first one.
struct Written {
  std::string digits;
  int leading = 0;
  bool exponentForm = false;
};

Written Parse(std::string text) {
  Written written;
  if (!text.empty() && text[0] == '-') text.erase(0, 1);
  const auto e = text.find('e');
  written.exponentForm = e != std::string::npos;
  int exponent = written.exponentForm ? std::stoi(text.substr(e + 1)) : 0;
  const std::string mantissa = text.substr(0, e);
  const auto point = mantissa.find('.');
  int leading = static_cast<int>(point == std::string::npos ? mantissa.size() : point) - 1;
  for (char c : mantissa) {
    if (c == '.') continue;
    if (written.digits.empty() && c == '0') {
      --leading;
      continue;
    }
    written.digits += c;
  }
  written.digits.erase(written.digits.find_last_not_of('0') + 1);
  written.leading = leading + exponent;
  return written;
}

// Rounds a digit string half up (looking at one digit past `count`);
// returns the carried digits and bumps `exponent` on a carry out.
std::string RoundHalfUp(std::string digits, std::size_t count, std::int64_t& exponent) {
  digits.resize(std::max(digits.size(), count + 1), '0');
  const bool up = digits[count] >= '5';
  digits.resize(count);
  for (std::size_t i = count; up && i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      break;
    }
    digits[i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++exponent;
    }
  }
  return digits.substr(0, count);
}

// Checks one double against the exact expansion: 17 digits half up, then
// the requested number half up, then the choice of form.
void ExpectFormattedExactly(double x, int digits) {
  Decimal exact = ExactDecimal(std::fabs(x));
  std::string seventeen = RoundHalfUp(exact.digits, 17, exact.exponent);
  std::string rounded = RoundHalfUp(seventeen, static_cast<std::size_t>(digits), exact.exponent);
  rounded.erase(rounded.find_last_not_of('0') + 1);
  const int leading = static_cast<int>(exact.exponent) - 1;

  const std::string text = FormatSignificant(x, digits);
  const Written written = Parse(text);
  EXPECT_EQ(rounded, written.digits) << text << " for " << ExactDecimal(std::fabs(x)).digits;
  EXPECT_EQ(leading, written.leading) << text;
  EXPECT_EQ(leading < -4 || leading >= digits, written.exponentForm) << text;
  EXPECT_EQ(std::signbit(x), text[0] == '-') << text;
}

TEST(FormatSignificantTest, MatchesTheExactExpansionOfRandomDoubles) {
  std::mt19937_64 random(20261211);
  for (int i = 0; i < 20000; ++i) {
    const double x = FromBits(random());
    if (!std::isfinite(x) || x == 0) continue;
    ExpectFormattedExactly(x, 17);
    ExpectFormattedExactly(x, 13);
    ExpectFormattedExactly(x, 6);
  }
}

TEST(FormatSignificantTest, MatchesTheExactExpansionAtPowersOfTen) {
  for (int k = -323; k <= 308; ++k) {
    const double power = std::strtod(("1e" + std::to_string(k)).c_str(), nullptr);
    for (double x : {std::nextafter(power, 0.0), power, std::nextafter(power, kInf)}) {
      ExpectFormattedExactly(x, 13);
      ExpectFormattedExactly(x, 6);
    }
  }
}

// Doubles whose expansions sit on or next to a half at the 18th digit, and
// whose 17-digit rounding then carries into the last kept digit: the cases
// where rounding twice differs from rounding once.
TEST(FormatSignificantTest, RoundsTwiceAtConstructedHalves) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 5000; ++i) {
    for (int kept : {6, 13}) {
      std::string digits = std::to_string(random() % 9 + 1);
      while (static_cast<int>(digits.size()) < kept) digits += static_cast<char>('0' + random() % 10);
      digits += '4';
      digits.append(static_cast<std::size_t>(16 - kept), '9');  // up to the 17th digit
      digits += '5';
      digits += std::to_string(random() % 100000);
      const auto scale = static_cast<int>(random() % 40) - 20;
      const double x = std::stod(digits + "e" + std::to_string(scale));
      ExpectFormattedExactly(x, kept);
      ExpectFormattedExactly(-x, kept);
    }
  }
  // Exact ties at the 18th digit (quarters between 1e15 and 2^51): a half
  // there always rounds up, where a correct rounding would go to even.
  for (double x : {1000000000000000.25, 1000000000000000.75, 1125899906842624.25, 2251799813685247.75}) {
    ExpectFormattedExactly(x, 17);
  }
  EXPECT_EQ("1000000000000000.3", FormatSignificant(1000000000000000.25, 17));  // not .2
}

// Doubles in [1, 2) whose expansion lies within 2e-8 units of the 18th
// digit just below or just above a half there, so that 25 correctly rounded
// digits cannot tell them from the half itself. With x = m / 2^52 the 18th
// digit is the units digit of m·5^17 / 2^35, so m·5^17 is chosen modulo
// 10·2^35 to lie a few units from 5·2^35.
TEST(FormatSignificantTest, TellsNearHalvesFromHalvesAtTheEighteenthDigit) {
  constexpr std::uint64_t kFiveTo16 = 152587890625;
  constexpr std::uint64_t kLow36 = (std::uint64_t{1} << 36) - 1;
  std::uint64_t inverse = kFiveTo16;  // Newton's iteration: the inverse of 5^16 modulo 2^64
  for (int i = 0; i < 6; ++i) inverse *= 2 - kFiveTo16 * inverse;
  const std::uint64_t half = std::uint64_t{5} << 35;
  for (std::uint64_t distance = 5; distance < 1700; distance += 5) {
    for (const std::uint64_t residue : {half - distance, half + distance}) {
      const std::uint64_t m = (std::uint64_t{1} << 52) | ((residue / 5 * inverse) & kLow36);
      ExpectFormattedExactly(std::ldexp(static_cast<double>(m), -52), 17);
    }
  }
}

TEST(FormatSignificantTest, SeventeenDigitsReadBackToTheSameDouble) {
  std::mt19937_64 random(17);
  for (int i = 0; i < 20000; ++i) {
    const double x = FromBits(random());
    if (!std::isfinite(x)) continue;
    const std::string text = FormatSignificant(x, 17);
    EXPECT_EQ(x, ReadDecimalPrefix(text)) << text;
  }
}

// ---- Reading --------------------------------------------------------------

struct ReadCase {
  const char* text;
  double value;
};

TEST(ToNumberTest, ReadsTheLongestNumericPrefix) {
  const ReadCase cases[] = {
      {"", 0},
      {"abc", 0},
      {"+", 0},
      {"-", 0},
      {".", 0},
      {"+.", 0},
      {"e5", 0},
      {"0x1A", 0},
      {"  12abc", 12},
      {"\t\n\v\f\r 7", 7},
      {"1,234", 1},
      {"12 34", 12},
      {"1e", 1},
      {"1e+", 1},
      {"1d-", 1},
      {"1.5d2", 150},
      {"1.5D2", 150},
      {"2E3", 2000},
      {"-.5e1", -5},
      {"+3", 3},
      {"5.", 5},
      {"1.5.5", 1.5},
      {"1e5e5", 1e5},
      {"1-1", 1},
      {"1.#INF", 1},
      {"-1.#IND", -1},
      {"1e400", kInf},
      {"-1e400", -kInf},
      {"0e999999", 0},
      {"00012.50", 12.5},
      {"1e-400", 0},
      {"2.4703282292062328e-324", 4.9406564584124654e-324},
      {"2.4703282292062327e-324", 0},
      {"1.7976931348623158e308", 1.7976931348623157e308},  // just under the overflow threshold
      {"1.797693134862315808e308", kInf},                  // just over it
      {"9007199254740995", 9007199254740996},              // a tie goes to the even neighbour
      {"15.91549430711", 15.91549430711},
      {"1e99999999999999999999999999", kInf},
      {"1e-99999999999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_SAME_DOUBLE(c.value, ToNumber(c.text)) << '"' << c.text << '"';
  EXPECT_SAME_DOUBLE(-0.0, ToNumber("-0"));
  EXPECT_SAME_DOUBLE(-0.0, ToNumber("-0.000e7"));
  EXPECT_SAME_DOUBLE(-0.0, ToNumber("-1e-400"));
  EXPECT_SAME_DOUBLE(0.0, ToNumber("-"));
}

TEST(ToNumberTest, FoldsFullWidthForms) {
  const ReadCase cases[] = {
      {"\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 12.5},       // １２．５
      {"\xA3\xAD\xA3\xB3", -3},                         // －３
      {"\xA3\xAB\xA3\xB3", 3},                          // ＋３
      {"\xA3\xB1\xA3\xE5\xA3\xB2", 100},                // １ｅ２
      {"\xA3\xB1\xA3\xC4\xA3\xB2", 100},                // １Ｄ２
      {"\xA1\xA1\xA3\xB1\xA3\xB2", 12},                 // 　１２
      {"\xA3\xB1\xA3\xAC\xA3\xB2\xA3\xB3\xA3\xB4", 1},  // １，２３４
      {"\xD6\xD0\xA3\xB1", 0},                          // 中１
      {"12\xD6\xD0\x35", 12},                           // 12中5
      {"\xB1\x31", 0},                                  // a lead byte takes the digit after it ("1") with it
  };
  for (const auto& c : cases) EXPECT_SAME_DOUBLE(c.value, ToNumber(c.text)) << c.text;
  // ReadDecimalPrefix alone does not fold.
  EXPECT_SAME_DOUBLE(0.0, ReadDecimalPrefix("\xA3\xB1\xA3\xB2"));
}

TEST(ToNumberTest, ReadsBackTheThirteenDigitTextNotTheDouble) {
  EXPECT_EQ(15.91549430711, ToNumber(ToText(15.915494307111402)));
  EXPECT_NE(15.915494307111402, ToNumber(ToText(15.915494307111402)));
}

// A random text with a numeric prefix whose decimal value the generator
// knows, followed by something that cannot extend it.
struct GeneratedText {
  std::string text;
  std::string digits;
  std::int64_t scale = 0;
  bool negative = false;
};

GeneratedText Generate(std::mt19937_64& random) {
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const auto digitRun = [&](int most) {
    std::string run(static_cast<std::size_t>(pick(most + 1)), '0');
    for (auto& d : run) d = static_cast<char>('0' + (pick(3) == 0 ? 0 : pick(10)));
    return run;
  };
  GeneratedText g;
  g.text = std::string(static_cast<std::size_t>(pick(3)), " \t\n\v\f\r"[pick(6)]);
  if (pick(3) == 0) {
    g.negative = pick(2) == 0;
    g.text += g.negative ? '-' : '+';
  }
  std::string whole = digitRun(25);
  std::string fraction = digitRun(25);
  const bool point = pick(2) == 0 || whole.empty();
  if (whole.empty() && fraction.empty()) whole = "0";
  g.text += whole;
  if (point) g.text += "." + fraction;
  g.digits = whole + (point ? fraction : "");
  g.scale = point ? -static_cast<std::int64_t>(fraction.size()) : 0;
  const bool exponent = pick(3) != 0;
  if (exponent) {
    const int value = pick(700) - 350;
    g.text += "eEdD"[pick(4)];
    g.text += value < 0 ? "-" : (pick(2) == 0 ? "+" : "");
    g.text += std::string(static_cast<std::size_t>(pick(3)), '0') + std::to_string(std::abs(value));
    g.scale += value;
  }
  const char* endings[] = {"", ",5", "+1", "-2", "x", " 9", "#", "\xD6\xD0"};
  const char* incomplete[] = {"e", "E+", "d-", "D"};
  g.text += !exponent && pick(4) == 0 ? incomplete[pick(4)] : endings[pick(8)];
  if (point || exponent) g.text += pick(4) == 0 ? ".5" : "";
  return g;
}

// The same text in full-width forms where GBK has them.
std::string ToFullWidth(const std::string& text, std::mt19937_64& random) {
  std::string wide;
  for (char c : text) {
    if (random() % 2 == 0 || static_cast<unsigned char>(c) >= 0x80 || c < ' ') {
      wide += c;
    } else if (c == ' ') {
      wide += "\xA1\xA1";
    } else {
      wide += '\xA3';
      wide += static_cast<char>(c + 0x80);
    }
  }
  return wide;
}

TEST(ReadDecimalPrefixTest, RoundsRandomTextsCorrectly) {
  std::mt19937_64 random(2024);
  for (int i = 0; i < 20000; ++i) {
    const GeneratedText g = Generate(random);
    const double value = ReadDecimalPrefix(g.text);
    ASSERT_TRUE(IsNearestDouble(g.digits, g.scale, std::fabs(value))) << '"' << g.text << "\" read as " << value;
    ASSERT_EQ(g.negative, std::signbit(value)) << g.text;
    EXPECT_SAME_DOUBLE(value, ToNumber(ToFullWidth(g.text, random))) << g.text;
  }
}

// Decimals exactly halfway between two neighbouring doubles, and a hair to
// either side: built from the bits, read with ties to even.
TEST(ReadDecimalPrefixTest, DecidesHalfwayCasesFromTheBits) {
  std::mt19937_64 random(99);
  std::vector<double> below = {std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::min(),
                               std::nextafter(std::numeric_limits<double>::min(), 0.0),
                               1.0,
                               0.1,
                               std::nextafter(std::numeric_limits<double>::max(), 0.0),
                               std::numeric_limits<double>::max(),
                               9007199254740992.0};
  for (int i = 0; i < 2000; ++i) {
    const double x = std::fabs(FromBits(random()));
    if (std::isfinite(x)) below.push_back(x);
  }
  for (double x : below) {
    const Decimal mid = ExactMidpointAbove(x);
    const auto scale = mid.exponent - static_cast<std::int64_t>(mid.digits.size());
    const std::string exponent = "e" + std::to_string(scale);
    const double above = std::nextafter(x, kInf);
    const double even = (Bits(x) & 1) == 0 ? x : above;
    // 10^-40 of the last digit's unit is far less than half a unit in the
    // last place of either neighbour.
    const std::string nearer = "e" + std::to_string(scale - 40);
    std::string less = mid.digits;
    --less.back();  // the last digit is not a zero
    EXPECT_EQ(even, ReadDecimalPrefix(mid.digits + exponent)) << x;
    EXPECT_EQ(above, ReadDecimalPrefix(mid.digits + std::string(39, '0') + "1" + nearer)) << x;
    EXPECT_EQ(x, ReadDecimalPrefix(less + std::string(40, '9') + nearer)) << x;
  }
}

TEST(ReadDecimalPrefixTest, ReadsMegabyteTexts) {
  const std::size_t kMegabyte = 1 << 20;
  const std::string zeros(kMegabyte, '0');
  EXPECT_EQ(kInf, ReadDecimalPrefix("1" + zeros));
  EXPECT_EQ(1e4, ReadDecimalPrefix("0." + zeros + "1e" + std::to_string(kMegabyte + 5)));
  EXPECT_EQ(1.0, ReadDecimalPrefix("0." + std::string(kMegabyte, '9')));
  EXPECT_EQ(1.0, ReadDecimalPrefix("1." + zeros + "1"));
  EXPECT_EQ(5.0, ReadDecimalPrefix(std::string(kMegabyte, ' ') + "5"));
  EXPECT_EQ(7.0, ReadDecimalPrefix("7e" + zeros));
  EXPECT_EQ(0.0, ToNumber(std::string(kMegabyte + 1, '\xB0')));
  EXPECT_EQ(1.0, ToNumber(std::string(kMegabyte, '\xA1') + "1"));  // A1 A1 pairs fold to blanks
}

// ---- Folding --------------------------------------------------------------

TEST(FoldFullWidthTest, FoldsOnlyTheListedPairs) {
  const struct {
    const char* text;
    const char* folded;
  } cases[] = {
      {"\xA3\xA1", "!"},        {"\xA3\xA4", "$"},
      {"\xA3\xFE", "~"},        {"\xA3\xB0\xA3\xB9", "09"},
      {"\xA1\xA1", " "},        {"\xA1\xAB", "~"},
      {"\xA1\xEE", "*"},        {"\xA1\xEF", "*"},
      {"\xA3\xA0", "\xA3\xA0"},  // below the full-width range: kept
      {"\xA3\xFF", "\xA3\xFF"}, {"\xA1\xA2", "\xA1\xA2"},
      {"\xD6\xD0", "\xD6\xD0"}, {"\xA3\x31", "\xA3\x31"},  // a lead byte pairs with whatever follows, here "1"
      {"12\xA3", "12"},                                    // a lead byte at the very end is dropped
      {"\xA3\xB1\xA3", "1"},    {"\xA3", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.folded, FoldFullWidth(c.text)) << c.text;
}

// Every byte and every pair of bytes, each in a buffer of exactly its own
// size, so that a read past the end shows under the address sanitizer.
TEST(FoldFullWidthTest, HandlesEveryByteAndPair) {
  for (int first = 0; first < 256; ++first) {
    const std::vector<char> one{static_cast<char>(first)};
    const std::string foldedOne = FoldFullWidth({one.data(), one.size()});
    EXPECT_EQ(first < 0x80 ? 1u : 0u, foldedOne.size());
    ToNumber({one.data(), one.size()});
    for (int second = 0; second < 256; ++second) {
      const std::vector<char> two{static_cast<char>(first), static_cast<char>(second)};
      const std::string folded = FoldFullWidth({two.data(), two.size()});
      if (first < 0x80) {  // two single bytes, the second dropped when it is a lead byte
        EXPECT_EQ(std::string(two.data(), second < 0x80 ? 2 : 1), folded);
      } else {  // one pair: kept, or folded to one ASCII byte
        EXPECT_TRUE(folded == std::string(two.data(), 2) ||
                    (folded.size() == 1 && static_cast<unsigned char>(folded[0]) < 0x80))
            << first << ' ' << second;
      }
      ToNumber({two.data(), two.size()});
    }
  }
}

// ---- Rounding and powers ----------------------------------------------------

TEST(RoundDigitsTest, RoundsHalfAwayFromZeroAfterTheNudge) {
  const struct {
    double x;
    int places;
    double rounded;
  } cases[] = {
      {1234.5675, 3, 1234.568},
      {2.5, 0, 3},
      {-2.5, 0, -3},
      {0.285, 2, 0.29},
      {1.005, 2, 1.01},
      {2.675, 2, 2.68},
      {0.4999999999995, 0, 1},
      {0.49999999999, 0, 0},
      {1250, -2, 1300},
      {-1250, -2, -1300},
      {1234.5, -2, 1200},
      {551.190471168191, 3, 551.19},
      {0.0005, 3, 0.001},
      {0.0004999, 3, 0},
      {16384.5, 0, 16385},
      {9007199254740993.0, 0, 9007199254740992.0},
      {kInf, 3, kInf},
      {-kInf, 0, -kInf},
      {1e300, 3, 1e300},
  };
  for (const auto& c : cases) {
    EXPECT_SAME_DOUBLE(c.rounded, RoundDigits(c.x, c.places)) << c.x << " to " << c.places;
  }
  EXPECT_SAME_DOUBLE(3.0, RoundDigits(2.5));
  EXPECT_SAME_DOUBLE(-0.0, RoundDigits(-0.0, 3));
  EXPECT_SAME_DOUBLE(-0.0, RoundDigits(-0.1));
  EXPECT_SAME_DOUBLE(FromBits(0xFFF8000000000000), RoundDigits(FromBits(0xFFF8000000000000), 3));
  EXPECT_SAME_DOUBLE(FromBits(0x7FF8000000000001), RoundDigits(FromBits(0x7FF8000000000001), 3));
}

TEST(PowerTest, HandlesSignsZerosAndIntegers) {
  const struct {
    double base;
    double exponent;
    double power;
  } cases[] = {
      {3, 2, 9},       {-3, 2, 9},   {-2, 3, -8},     {0, 2, 0},         {0, 0, 1},
      {-0.0, 0, 1},    {kInf, 0, 1}, {0, -1, kInf},   {-0.0, -1, -kInf}, {-0.0, -2, kInf},
      {-0.0, 3, -0.0}, {-0.0, 2, 0}, {-0.0, 0.5, 0},  {10, 3, 1000},     {10, 22, 1e22},
      {2, -1, 0.5},    {4, 0.5, 2},  {10, 400, kInf}, {-10, 401, -kInf}, {-2, 1e300, kInf},
  };
  for (const auto& c : cases) {
    EXPECT_SAME_DOUBLE(c.power, Power(c.base, c.exponent)) << c.base << " ** " << c.exponent;
  }
  EXPECT_EQ("-1.#IND", ToText(Power(-2, 0.5)));
  EXPECT_EQ("-1.#IND", ToText(Power(-8, 1.0 / 3)));
  EXPECT_TRUE(std::isnan(Power(std::nan(""), 2)));
  EXPECT_TRUE(std::isnan(Power(2, std::nan(""))));
}

}  // namespace
}  // namespace corvanel
