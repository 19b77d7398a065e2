// Cost of the settings code itself: copying a profile (done for every settings dialog and every
// port start) and the save-then-load of a store of 10 profiles with 5 formats each (done after
// every settings change and at start-up). Natively the registry is the in-memory hive, so the
// figures are this code's own overhead, not the system registry's.
#include "settings/QuilbarProfileStore.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace
{
QuilbarProfile makeProfile()
{
  QuilbarProfile profile;
  for (int i = 1; i < 5; ++i)
  {
    auto pFormat = std::make_unique<DataEditFormat>();
    std::string strName = "Format" + std::to_string(i);
    pFormat->setName(strName);
    pFormat->setOrder(i);
    pFormat->setOutput("Mid(Input(), 2, 10) + \"<cr>\"");
    auto pCriteria = std::make_unique<Criteria>();
    pCriteria->setKindStringExpression();
    pCriteria->setExpression(std::to_string(i) + "*");
    pFormat->getCriteriaMap().add(std::move(pCriteria));
    profile.getDataEditFormatMap().add(strName, std::move(pFormat));
  }
  for (int i = 0; i < 3; ++i)
  {
    auto pReplacement = std::make_unique<Replacement>();
    pReplacement->setOrder(i);
    pReplacement->setInput("<GS>" + std::to_string(i));
    profile.getReplacementMap().add(std::move(pReplacement));
  }
  return profile;
}

void BM_CopyProfile(benchmark::State& state)
{
  QuilbarProfile source = makeProfile();
  for (auto _ : state)
  {
    QuilbarProfile copy(source);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_CopyProfile);

void BM_SaveAndLoadStore(benchmark::State& state)
{
  QuilbarProfileStore store("HKEY_LOCAL_MACHINE\\Software");
  QuilbarProfile& first = store.addOrSelectProfile("Line0");
  first = makeProfile();
  first.setName("Line0");
  for (int i = 1; i < 10; ++i)
    store.addOrSelectProfile("Line" + std::to_string(i));
  for (auto _ : state)
  {
    std::string strError;
    if (!store.saveSettings() || !store.loadSettings(strError))
      state.SkipWithError("save or load failed");
  }
}
BENCHMARK(BM_SaveAndLoadStore);
}  // namespace
