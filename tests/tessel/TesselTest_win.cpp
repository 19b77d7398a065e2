// Tessel loaded by several processes under Wine: one hook, one shared caps state.
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "KeyTargetProcess_win.h"
#include "keyboard/KeystrokeEmitter.h"
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

class TesselTest : public ::testing::Test
{
protected:
  void SetUp() override { m_strTessel = KeyTargetProcess::besideTestProgram("Tessel.dll"); }

  // Starts a target that loads Tessel itself and brings it to the front to receive the keys.
  std::unique_ptr<KeyTargetProcess> startLoader(const char* pszTitle)
  {
    auto pTarget = std::make_unique<KeyTargetProcess>(pszTitle, m_strTessel.c_str());
    std::string strWhy;
    EXPECT_TRUE(pTarget->isReady(strWhy)) << strWhy;
    EXPECT_TRUE(pTarget->bringToFront()) << pszTitle << " never came to the front";
    return pTarget;
  }

  std::string m_strTessel;
};

// If a second loader installed a second hook, every press would toggle twice and the state would
// never change; if it reset the state, the state would not survive its start.
TEST_F(TesselTest, TwoProcessesShareOneHookAndOneState)
{
  TesselBinding binding;
  ASSERT_TRUE(binding.bind(m_strTessel.c_str())) << "cannot load " << m_strTessel;
  std::unique_ptr<KeyTargetProcess> pSecond = startLoader("Tessel second loader");
  int nStart = binding.getCapsLockState();

  pressCapsLock();
  ASSERT_TRUE(waitForCapsState(binding, 1 - nStart)) << "awaited one toggle of the shared caps state after one press";

  std::unique_ptr<KeyTargetProcess> pThird = startLoader("Tessel third loader");
  EXPECT_EQ(1 - nStart, binding.getCapsLockState()) << "a later loader reset the shared state";

  pressCapsLock();
  EXPECT_TRUE(waitForCapsState(binding, nStart)) << "awaited the second press to toggle the state back";
}

TEST_F(TesselTest, CapsStateDecidesTheShiftOfCapsDependentKeys)
{
  TesselBinding binding;
  ASSERT_TRUE(binding.bind(m_strTessel.c_str())) << "cannot load " << m_strTessel;
  std::unique_ptr<KeyTargetProcess> pTarget = startLoader("Tessel typing target");
  if (binding.getCapsLockState() == 0)
  {
    pressCapsLock();
    ASSERT_TRUE(waitForCapsState(binding, 1)) << "awaited caps lock on";
  }

  KeyTranslatorMap map;
  KeyboardOutputSettings settings;
  settings.pmapKeyTranslator = &map;
  SystemKeyEventSink sink;
  SystemForegroundWindow foreground;
  KeystrokeEmitter emitter(sink, foreground, binding);
  emitter.setSettings(settings);
  std::string strReport;
  emitter.sendKeystrokes("\xC4\xE4", strReport, false);
  EXPECT_EQ("' Shift+' ", strReport);
  EXPECT_TRUE(pTarget->waitForText("'\"")) << "found \"" << pTarget->text() << "\"";

  pressCapsLock();
  EXPECT_TRUE(waitForCapsState(binding, 0)) << "awaited caps lock off again";
}

TEST_F(TesselTest, LoadedWhileCapsLockIsOnStartsOn)
{
  {
    // Turn the system's caps lock on while no Tessel is loaded anywhere.
    KeyTargetProcess target("Tessel-free target");
    std::string strWhy;
    ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
    ASSERT_TRUE(target.bringToFront());
    pressCapsLock();
    ASSERT_TRUE(testsupport::waitUntil([] { return (GetKeyState(VK_CAPITAL) & 1) != 0; }, 5000ms))
        << "awaited the system's caps-lock toggle";
  }
  TesselBinding binding;
  ASSERT_TRUE(binding.bind(m_strTessel.c_str()));
  EXPECT_EQ(1, binding.getCapsLockState());

  std::unique_ptr<KeyTargetProcess> pTarget = startLoader("Tessel caps-off target");
  pressCapsLock();
  EXPECT_TRUE(waitForCapsState(binding, 0)) << "awaited caps lock off again";
}
}  // namespace
