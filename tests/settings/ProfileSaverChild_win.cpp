// Saves a store of many profiles over and over until it is killed, for the test that kills a save
// at random moments.
//   ProfileSaverChild_win.exe <software key> <profile count> <event to set after the first load>
// Each round changes every profile a little (its InitString carries the round), so a save always
// has something to write. Exit code 2 for bad arguments.
#include "settings/QuilbarProfileStore.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
  if (argc != 4)
    return 2;
  // The same profiles the test stored, made in memory: loading them first would only cost time.
  QuilbarProfileStore store(argv[1]);
  store.addOrSelectProfile(QuilbarProfileStore::kszDefaultProfileName);
  int nProfiles = std::atoi(argv[2]);
  for (int i = 0; i < nProfiles; ++i)
  {
    char szName[32];
    std::snprintf(szName, sizeof szName, "P%03d", i);
    store.addOrSelectProfile(szName);
  }
  HANDLE hevtLooping = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (hevtLooping != nullptr)
    SetEvent(hevtLooping);
  for (unsigned nRound = 0;; ++nRound)
  {
    for (const auto& entry : store.getProfiles().getEntries())
      entry.second->setInitString("ROUND" + std::to_string(nRound));
    store.saveSettings();
  }
}
