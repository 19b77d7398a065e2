// Planning cost per text, to show that building key events is negligible next to injecting them
// (about 0.6 ms per event under Wine).
#include "keyboard/KeystrokePlanner.h"

#include <benchmark/benchmark.h>

namespace
{
std::string mixedText()
{
  const char kszChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string strText;
  for (int i = 0; i < 1000; ++i)
    strText += (i % 50 == 49) ? '\r' : kszChars[i % (sizeof kszChars - 1)];
  return strText;
}

void planMixedText(benchmark::State& state)
{
  KeyTranslatorMap map;
  std::string strText = mixedText();
  bool fDescribeOnly = state.range(0) != 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(KeystrokePlanner::planText(strText.c_str(), map, 0, 0, fDescribeOnly));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(strText.size()));
}
BENCHMARK(planMixedText)->Arg(0)->Arg(1);
}  // namespace
