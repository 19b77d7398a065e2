// A program that saves all its profiles can be ended at any moment (a crash, a shutdown, Task
// Manager). Whenever that happens, the tree it leaves must still load with every profile: a child
// saves 200 profiles in a loop and is killed at random moments, and every reload finds 200.
#include "TestProgramFiles_win.h"
#include "settings/QuilbarProfileStore.h"
#include "ScratchKey.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
const int knProfiles = 200;  // "Default" and P000 ... P198
const int knKills = 3;
// A whole save of the 200 profiles takes about 1.7 s under Wine here; the kills fall within it.
const int knLatestKillMs = 1500;
const char kszLoopingEvent[] = "QuilbarProfileSaverLooping";

TEST(ProfileStoreKillTest, SavesKilledAtRandomMomentsLeaveEveryProfile)
{
  ScratchKey scratch(currentTestKeyName());
  {
    QuilbarProfileStore store(scratch.path());
    std::string strError;
    ASSERT_TRUE(store.loadSettings(strError)) << strError;
    for (int i = 0; i + 1 < knProfiles; ++i)
      store.addOrSelectProfile("P" + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i));
    ASSERT_TRUE(store.saveSettings());
  }
  HANDLE hevtLooping = CreateEventA(nullptr, TRUE, FALSE, kszLoopingEvent);
  ASSERT_NE(nullptr, hevtLooping);
  std::mt19937 random(20240612);
  std::uniform_int_distribution<int> killAfterMs(0, knLatestKillMs);
  for (int nKill = 0; nKill < knKills; ++nKill)
  {
    std::string strCommand = "\"" + besideThisTestProgram("ProfileSaverChild_win.exe") + "\" \"" + scratch.path()
                             + "\" " + std::to_string(knProfiles - 1) + " " + kszLoopingEvent;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ResetEvent(hevtLooping);
    ASSERT_TRUE(CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    HANDLE rghWait[] = {hevtLooping, pi.hProcess};
    DWORD dwStarted = WaitForMultipleObjects(2, rghWait, FALSE, 30000);
    int nDelay = killAfterMs(random);
    if (dwStarted == WAIT_OBJECT_0)
      Sleep(nDelay);  // the random moment of the kill is the point here, not a condition
    TerminateProcess(pi.hProcess, 9);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, dwStarted) << "the saver never reached its loop";

    QuilbarProfileStore reloaded(scratch.path());
    std::string strError;
    SCOPED_TRACE("killed " + std::to_string(nDelay) + " ms into the loop");
    ASSERT_TRUE(reloaded.loadSettings(strError)) << strError;
    EXPECT_EQ(knProfiles, reloaded.getProfiles().getCount());
  }
  CloseHandle(hevtLooping);
}
}  // namespace
