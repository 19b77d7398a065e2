// Cost of the settings code itself: copying a profile (done for every settings dialog and every
// port start) and the save-then-load of a store of 10 profiles with 5 formats each (done after
// every settings change and at start-up). Natively the registry is the in-memory hive, so the
// figures are this code's own overhead, not the system registry's. The references do the same
// registry work, or hold the same values, without the settings code: the tree a save leaves
// written and read back through the registry layer directly, and that tree copied.
#include "StoredTree.h"
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

// A software key of the reference's own, so that its tree holds only what its store saved.
std::string ownSoftwareKey(const char* pszName)
{
  Registry software, own;
  software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll);
  software.createSubKey(pszName, own);
  return std::string("HKEY_LOCAL_MACHINE\\Software\\") + pszName;
}

void BM_CopyProfile_Reference(benchmark::State& state)
{
  const std::string kstrRoot = ownSoftwareKey("CopyReference");
  QuilbarProfileStore store(kstrRoot);
  QuilbarProfile& profile = store.addOrSelectProfile("Line0");
  profile = makeProfile();
  profile.setName("Line0");
  benchsettings::StoredTree tree;
  if (!store.saveSettings() || !benchsettings::readTree(kstrRoot, tree))
    state.SkipWithError("the profile's stored values cannot be read");
  for (auto _ : state)
  {
    benchsettings::StoredTree copy(tree);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_CopyProfile_Reference);

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

void BM_SaveAndLoadStore_Reference(benchmark::State& state)
{
  const std::string kstrRoot = ownSoftwareKey("StoreReference");
  QuilbarProfileStore store(kstrRoot);
  QuilbarProfile& first = store.addOrSelectProfile("Line0");
  first = makeProfile();
  first.setName("Line0");
  for (int i = 1; i < 10; ++i)
    store.addOrSelectProfile("Line" + std::to_string(i));
  benchsettings::StoredTree saved, reread;
  if (!store.saveSettings() || !benchsettings::readTree(kstrRoot, saved) ||
      !benchsettings::writeTree(kstrRoot, saved) || !benchsettings::readTree(kstrRoot, reread) || reread != saved)
    state.SkipWithError("the saved tree cannot be written and read back unchanged");
  for (auto _ : state)
  {
    if (!benchsettings::writeTree(kstrRoot, saved) || !benchsettings::readTree(kstrRoot, reread))
      state.SkipWithError("write or read failed");
  }
}
BENCHMARK(BM_SaveAndLoadStore_Reference);
}  // namespace
