// How long the text rules and a whole press take, against the C library's
// own conversions timed in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "calc/belt_calculator.h"
#include "calc/numeric_text.h"

namespace {

using namespace corvanel;

// The numbers a press writes, and a few that take the rarer paths.
constexpr double kNumbers[] = {31.830988614222804, 63.66197722844561, 551.19, 0.1,  1.0 / 3,
                               15.172616307775,    9648959374206.5,   1e13,   -0.5, 1.7976931348623157e308};
// The texts a press reads.
constexpr const char* kTexts[] = {"200",     "31.83098861422", "63.66197722845", "12.3456789",
                                  "  12abc", "1.5d2",          "-.5e1",          "9007199254740995"};

void ToTextBench(benchmark::State& state) {
  for (auto _ : state) {
    for (double x : kNumbers) benchmark::DoNotOptimize(ToText(x));
  }
  state.SetItemsProcessed(state.iterations() * std::size(kNumbers));
}
BENCHMARK(ToTextBench);

void SnprintfBaseline(benchmark::State& state) {
  char buffer[64];
  for (auto _ : state) {
    for (double x : kNumbers) {
      std::snprintf(buffer, sizeof buffer, "%.13g", x);
      benchmark::DoNotOptimize(std::string(buffer));
    }
  }
  state.SetItemsProcessed(state.iterations() * std::size(kNumbers));
}
BENCHMARK(SnprintfBaseline);

void ToNumberBench(benchmark::State& state) {
  for (auto _ : state) {
    for (const char* text : kTexts) benchmark::DoNotOptimize(ToNumber(text));
  }
  state.SetItemsProcessed(state.iterations() * std::size(kTexts));
}
BENCHMARK(ToNumberBench);

void StrtodBaseline(benchmark::State& state) {
  for (auto _ : state) {
    for (const char* text : kTexts) benchmark::DoNotOptimize(std::strtod(text, nullptr));
  }
  state.SetItemsProcessed(state.iterations() * std::size(kTexts));
}
BENCHMARK(StrtodBaseline);

// The window as a fixed table of seven named texts.
class TextTable : public ComponentAccess {
 public:
  std::string GetComponentText(std::string_view name) override { return Find(name).second; }
  void SetComponentText(std::string_view name, std::string_view text) override { Find(name).second = text; }
  int ShowNotice(std::string_view, unsigned, std::string_view) override { return 1; }

 private:
  std::pair<std::string_view, std::string>& Find(std::string_view name) {
    for (auto& entry : texts_) {
      if (entry.first == name) return entry;
    }
    std::abort();
  }
  std::array<std::pair<std::string_view, std::string>, 7> texts_{{{"主动轮齿数框", "20"},
                                                                  {"从动轮齿数框", "40"},
                                                                  {"设计中心距框", "200"},
                                                                  {"齿形框", "T5/AT5"},
                                                                  {"Dp1", ""},
                                                                  {"Dp2", ""},
                                                                  {"计算结果框", ""}}};
};

void CalculateBench(benchmark::State& state) {
  TextTable window;
  BeltCalculator calculator(window);
  for (auto _ : state) calculator.Calculate();
  if (window.GetComponentText("计算结果框") != "551.19") state.SkipWithError("wrong result");
}
BENCHMARK(CalculateBench);

}  // namespace

BENCHMARK_MAIN();
