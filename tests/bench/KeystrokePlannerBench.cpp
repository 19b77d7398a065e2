// Planning cost per text, to show that building key events is negligible next to injecting them
// (about 0.6 ms per event under Wine). The reference plans the same letters, digits and Enter by a
// plain loop that knows only those classes, and must give the same steps and report.
#include "keyboard/KeyStep.h"
#include "keyboard/KeyTables.h"
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

// Printable characters go as Unicode presses and releases, Enter as its key pressed and released, each event
// followed by the inter-character wait (0 here).
KeystrokePlan planPlainly(const std::string& strText, bool fDescribeOnly)
{
  const int kvkReturn = 0x0D, kscReturn = 0x1C;
  KeystrokePlan plan;
  for (char ch : strText)
  {
    if (ch == '\r')
    {
      if (!fDescribeOnly)
        plan.rgSteps.insert(plan.rgSteps.end(), {KeyStep::key(kvkReturn, kscReturn, 0), KeyStep::wait(0),
                                                 KeyStep::key(kvkReturn, kscReturn, kdwKeyUp), KeyStep::wait(0)});
      plan.strReport += KeyTables::keyName(kscReturn, false) + " ";
      continue;
    }
    if (!fDescribeOnly)
      plan.rgSteps.insert(plan.rgSteps.end(), {KeyStep::unicode(static_cast<unsigned char>(ch)), KeyStep::wait(0),
                                               KeyStep::unicode(static_cast<unsigned char>(ch), kdwKeyUp),
                                               KeyStep::wait(0)});
    plan.strReport += ch;
    plan.strReport += ' ';
  }
  return plan;
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

void planMixedText_Reference(benchmark::State& state)
{
  KeyTranslatorMap map;
  std::string strText = mixedText();
  bool fDescribeOnly = state.range(0) != 0;
  KeystrokePlan planned = KeystrokePlanner::planText(strText.c_str(), map, 0, 0, fDescribeOnly);
  KeystrokePlan plain = planPlainly(strText, fDescribeOnly);
  if (plain.rgSteps != planned.rgSteps || plain.strReport != planned.strReport)
    state.SkipWithError("the plain loop plans other steps or another report");
  for (auto _ : state)
    benchmark::DoNotOptimize(planPlainly(strText, fDescribeOnly));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(strText.size()));
}
BENCHMARK(planMixedText_Reference)->Arg(0)->Arg(1);
}  // namespace
