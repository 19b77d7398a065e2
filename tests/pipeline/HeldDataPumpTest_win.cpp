// Holding data for a locked window, under Wine with two real target windows of other processes:
// strings read while another window is in front wait, are typed into the locked window as soon as
// it comes to the front (told by a WinEvent hook, not by polling), never reach the other window,
// and are dropped with a logged event and a report once their time limit passes.
//
// Wine 8.0 raises no EVENT_SYSTEM_FOREGROUND (with WINEDEBUG=+hook only EVENT_OBJECT_CREATE is
// seen), so after bringing a window to the front the test raises the event itself, as Windows
// would; the hook, its delivery through the message loop and everything after are the real ones.
#include "DialogDriver_win.h"
#include "KeyTargetProcess_win.h"
#include "PipelineFakes.h"
#include "keyboard/CapsLockState.h"
#include "keyboard/ForegroundWatcher_win.h"
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "keyboard/KeyTranslatorMap.h"
#include "keyboard/KeystrokeEmitter.h"
#include "pipeline/EventLog.h"
#include "pipeline/HeldDataPump_win.h"
#include "pipeline/HeldDataSink.h"
#include "pipeline/LockedOutputHold.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace
{
// What Windows itself announces when a window comes to the front.
void announceForeground(HWND hwnd)
{
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, hwnd, OBJID_WINDOW, CHILDID_SELF);
}

class NoCapsLock : public CapsLockState
{
public:
  int getCapsLockState() const override { return 0; }
};

// Plays the pipeline's keyboard output: whatever the hold passes on is typed into the window in
// front; drops are recorded as the tray tip would show them.
class TypingSink : public HeldDataSink
{
public:
  TypingSink()
  {
    KeyboardOutputSettings settings;
    settings.pmapKeyTranslator = &m_map;
    m_emitter.setSettings(settings);
  }

  void deliverHeld(const std::string& strData) override
  {
    std::string strReport;
    m_emitter.sendKeystrokes(strData.c_str(), strReport, false);
    ++m_nDelivered;
  }
  void heldDataDropped(const std::string& strData, const std::string& strReason) override
  {
    m_rgstrDropped.push_back(strData + ": " + strReason);
  }

  int m_nDelivered = 0;
  std::vector<std::string> m_rgstrDropped;

private:
  KeyTranslatorMap m_map;
  SystemKeyEventSink m_keys;
  SystemForegroundWindow m_foreground;
  NoCapsLock m_caps;
  KeystrokeEmitter m_emitter{m_keys, m_foreground, m_caps};
};

class HeldDataPumpTest : public ::testing::Test
{
protected:
  static void SetUpTestSuite()
  {
    s_pLocked = std::make_unique<KeyTargetProcess>("Held Target Window");
    s_pOther = std::make_unique<KeyTargetProcess>("Other Target Window");
  }
  static void TearDownTestSuite()
  {
    s_pLocked.reset();
    s_pOther.reset();
  }

  void SetUp() override
  {
    std::string strWhy;
    ASSERT_TRUE(s_pLocked->isReady(strWhy)) << strWhy;
    ASSERT_TRUE(s_pOther->isReady(strWhy)) << strWhy;
    s_pLocked->clearText();
    s_pOther->clearText();
    m_monitors.m_nMonitors = 1;
    ASSERT_TRUE(m_pump.isWatching()) << "the system refused the WinEvent hook";
  }

  // Brings a target to the front and lets this thread's messages (the hook's news among them) run.
  void bringToFront(KeyTargetProcess& target)
  {
    ASSERT_TRUE(target.bringToFront()) << "a target window never came to the front";
    announceForeground(target.window());
    dialogdriver::waitPumping([] { return false; }, std::chrono::milliseconds(50));
  }

  static std::unique_ptr<KeyTargetProcess> s_pLocked;
  static std::unique_ptr<KeyTargetProcess> s_pOther;

  SystemForegroundWindow m_foreground;
  pipelinetest::FixedLogClock m_clock;
  pipelinetest::RecordingMonitorSink m_monitors;
  EventLog m_log{m_clock, &m_monitors};
  TypingSink m_sink;
  LockedOutputHold m_hold{m_foreground, m_log, m_sink};
  HeldDataPump m_pump{m_hold};
};

std::unique_ptr<KeyTargetProcess> HeldDataPumpTest::s_pLocked;
std::unique_ptr<KeyTargetProcess> HeldDataPumpTest::s_pOther;
}  // namespace

TEST_F(HeldDataPumpTest, HeldStringsAreTypedIntoTheLockedWindowWhenItComesToTheFront)
{
  m_pump.setSettings(true, {"Held Target*"}, true, 30);
  bringToFront(*s_pOther);
  m_pump.submit("one ");
  m_pump.submit("two ");
  m_pump.submit("three");
  EXPECT_EQ(3u, m_hold.heldCount());
  EXPECT_EQ(0, m_sink.m_nDelivered);

  ASSERT_TRUE(s_pLocked->bringToFront());
  announceForeground(s_pLocked->window());
  // Only the hook tells the hold: this thread merely runs its messages until the text is there.
  bool fArrived = dialogdriver::waitPumping([&] { return s_pLocked->text() == "one two three"; });
  EXPECT_TRUE(fArrived) << "awaited \"one two three\" in the locked window, found \"" << s_pLocked->text() << "\"";
  EXPECT_EQ("", s_pOther->text()) << "nothing may reach the other window";
  EXPECT_EQ(0u, m_hold.heldCount());
  EXPECT_TRUE(m_sink.m_rgstrDropped.empty());

  m_pump.submit(" four");
  EXPECT_TRUE(s_pLocked->waitForText("one two three four")) << "with the window in front, data goes straight in";
}

TEST_F(HeldDataPumpTest, StringsPastTheTimeLimitAreDroppedAndNeverTypedLater)
{
  m_pump.setSettings(true, {"Held Target*"}, true, 1);
  bringToFront(*s_pOther);
  m_pump.submit("late");
  ASSERT_EQ(1u, m_hold.heldCount());
  bool fDropped = dialogdriver::waitPumping([&] { return !m_sink.m_rgstrDropped.empty(); });
  ASSERT_TRUE(fDropped) << "awaited the drop after the time limit of 1 second";
  EXPECT_EQ("late: No locked window became active within 1 second.", m_sink.m_rgstrDropped.front());
  bool fLogged = false;
  for (const std::string& strEvent : m_monitors.m_rgstrTexts)
    fLogged = fLogged || strEvent.rfind("Held Data Dropped\n", 0) == 0;
  EXPECT_TRUE(fLogged) << "the drop must be logged";

  ASSERT_TRUE(s_pLocked->bringToFront());
  m_pump.submit("fresh");
  EXPECT_TRUE(s_pLocked->waitForText("fresh")) << "found \"" << s_pLocked->text() << "\"";
  EXPECT_EQ("", s_pOther->text());
}

TEST_F(HeldDataPumpTest, WatcherHearsOfForegroundChangesAndOfTheFrontWindowsTitle)
{
  int nChanges = 0;
  ForegroundWatcher watcher([&] { ++nChanges; });
  ASSERT_TRUE(watcher.isWatching());
  for (KeyTargetProcess* pTarget : {s_pOther.get(), s_pLocked.get()})
  {
    int nBefore = nChanges;
    ASSERT_TRUE(pTarget->bringToFront());
    announceForeground(pTarget->window());
    EXPECT_TRUE(dialogdriver::waitPumping([&] { return nChanges > nBefore; }))
        << "no news of the foreground change to " << dialogdriver::windowText(pTarget->window());
  }
  // A title change counts only for the window in front (s_pLocked now).
  int nBefore = nChanges;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, s_pOther->window(), OBJID_WINDOW, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, s_pLocked->window(), OBJID_WINDOW, CHILDID_SELF);
  EXPECT_TRUE(dialogdriver::waitPumping([&] { return nChanges > nBefore; })) << "no news of the title change";
  dialogdriver::waitPumping([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_EQ(nBefore + 1, nChanges) << "the title of a window behind must not count";
}

TEST_F(HeldDataPumpTest, ANewStringReleasesTheHeldOnesWhenTheChangeWentUnannounced)
{
  m_pump.setSettings(true, {"Held Target*"}, true, 30);
  bringToFront(*s_pOther);
  m_pump.submit("first ");
  ASSERT_TRUE(s_pLocked->bringToFront());  // no event: as under Wine, or a missed one
  m_pump.submit("second");
  EXPECT_TRUE(s_pLocked->waitForText("first second")) << "found \"" << s_pLocked->text() << "\"";
  EXPECT_EQ("", s_pOther->text());
}
