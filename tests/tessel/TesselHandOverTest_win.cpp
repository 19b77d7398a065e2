// Tessel with one instance per profile, under Wine: when the instance that installed the hook
// leaves, the instances that remain must go on following caps lock.
#include "KeyTargetProcess_win.h"
#include "keyboard/TesselBinding_win.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

namespace
{
void pressCapsLock()
{
  keybd_event(VK_CAPITAL, 0x3A, 0, 0);
  keybd_event(VK_CAPITAL, 0x3A, KEYEVENTF_KEYUP, 0);
}

bool waitForCapsState(const TesselBinding& binding, int nExpected)
{
  return testsupport::waitUntil([&] { return binding.getCapsLockState() == nExpected; }, 5000ms);
}

std::unique_ptr<KeyTargetProcess> startLoader(const char* pszTitle, const std::string& strTessel)
{
  auto pTarget = std::make_unique<KeyTargetProcess>(pszTitle, strTessel.c_str());
  std::string strWhy;
  EXPECT_TRUE(pTarget->isReady(strWhy)) << strWhy;
  return pTarget;
}

// Three processes: the first loads Tessel and installs the hook, this test program is the second,
// a third is the window that receives the keys. The first leaves; presses must still toggle.
TEST(TesselHandOverTest, RemainingInstancesFollowCapsLockAfterTheInstallerLeaves)
{
  const std::string strTessel = KeyTargetProcess::besideTestProgram("Tessel.dll");
  std::unique_ptr<KeyTargetProcess> pInstaller = startLoader("Tessel installer", strTessel);
  TesselBinding binding;
  ASSERT_TRUE(binding.bind(strTessel.c_str())) << "cannot load " << strTessel;
  std::unique_ptr<KeyTargetProcess> pThird = startLoader("Tessel third instance", strTessel);
  ASSERT_TRUE(pThird->bringToFront()) << "the third instance never came to the front";

  int nStart = binding.getCapsLockState();
  pressCapsLock();
  ASSERT_TRUE(waitForCapsState(binding, 1 - nStart)) << "awaited a toggle while the installer runs";

  pInstaller.reset();
  ASSERT_TRUE(pThird->bringToFront());
  int nAfterLeave = binding.getCapsLockState();
  pressCapsLock();
  EXPECT_TRUE(waitForCapsState(binding, 1 - nAfterLeave))
      << "awaited a toggle after the installer left (the state stayed frozen at " << nAfterLeave << ")";
  pressCapsLock();
  EXPECT_TRUE(waitForCapsState(binding, nAfterLeave)) << "awaited the second press to toggle back";
}
}  // namespace
