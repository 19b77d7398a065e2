// The hold for a locked window: strings refused by the lock wait in order and go on when a
// matching window comes to the front; strings beyond the time limit or the queue's bounds are
// dropped, logged and reported; with the hold off nothing changes.
#include "KeyboardFakes.h"
#include "PipelineFakes.h"
#include "pipeline/EventLog.h"
#include "pipeline/HeldDataSink.h"
#include "pipeline/LockedOutputHold.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
class RecordingHeldDataSink : public HeldDataSink
{
public:
  void deliverHeld(const std::string& strData) override
  {
    m_rgstrDelivered.push_back(strData);
    if (m_fnOnDeliver)
      m_fnOnDeliver(strData);
  }
  void heldDataDropped(const std::string& strData, const std::string& strReason) override
  {
    m_rgstrDropped.push_back(strData + ": " + strReason);
  }

  std::vector<std::string> m_rgstrDelivered;
  std::vector<std::string> m_rgstrDropped;
  std::function<void(const std::string&)> m_fnOnDeliver;
};

class LockedOutputHoldTest : public ::testing::Test
{
protected:
  LockedOutputHoldTest()
  {
    m_monitors.m_nMonitors = 1;
    m_foreground.m_strTitle = "Other Window";
    m_hold.setSettings(true, {"Target*"}, true, 30);
  }

  void bringToFront(const char* pszTitle)
  {
    m_foreground.m_fPresent = true;
    m_foreground.m_strTitle = pszTitle;
    m_hold.onForegroundChanged(m_dwNow);
  }

  std::vector<std::string> eventNames() const
  {
    std::vector<std::string> rgstrNames;
    for (const std::string& strText : m_monitors.m_rgstrTexts)
      rgstrNames.push_back(strText.substr(0, strText.find('\n')));
    return rgstrNames;
  }

  keyboardtest::FakeForegroundWindow m_foreground;
  pipelinetest::FixedLogClock m_clock;
  pipelinetest::RecordingMonitorSink m_monitors;
  EventLog m_log{m_clock, &m_monitors};
  RecordingHeldDataSink m_sink;
  LockedOutputHold m_hold{m_foreground, m_log, m_sink};
  uint32_t m_dwNow = 1000;
};
}  // namespace

TEST_F(LockedOutputHoldTest, StringsWaitInOrderUntilALockedWindowComesToTheFront)
{
  for (const char* pszData : {"A1", "A2", "A3"})
    m_hold.submit(pszData, m_dwNow);
  EXPECT_TRUE(m_sink.m_rgstrDelivered.empty());
  EXPECT_EQ(3u, m_hold.heldCount());
  bringToFront("Notepad");
  EXPECT_TRUE(m_sink.m_rgstrDelivered.empty()) << "a window the lock refuses releases nothing";
  bringToFront("Target One");
  EXPECT_EQ((std::vector<std::string>{"A1", "A2", "A3"}), m_sink.m_rgstrDelivered);
  EXPECT_EQ(0u, m_hold.heldCount());
  EXPECT_TRUE(m_sink.m_rgstrDropped.empty());
  m_hold.submit("A4", m_dwNow);
  EXPECT_EQ("A4", m_sink.m_rgstrDelivered.back()) << "with the window in front, data goes straight on";
}

TEST_F(LockedOutputHoldTest, HeldStringsGoFirstEvenWhenTheWindowIsAlreadyInFront)
{
  m_hold.submit("A1", m_dwNow);
  m_foreground.m_strTitle = "Target One";  // the change notice has not come yet
  m_hold.submit("A2", m_dwNow);
  EXPECT_EQ((std::vector<std::string>{"A1", "A2"}), m_sink.m_rgstrDelivered);
}

TEST_F(LockedOutputHoldTest, SwitchingAwayInTheMiddleKeepsTheRestHeld)
{
  for (const char* pszData : {"A1", "A2", "A3"})
    m_hold.submit(pszData, m_dwNow);
  m_sink.m_fnOnDeliver = [this](const std::string& strData) {
    if (strData == "A1")
      m_foreground.m_strTitle = "Other Window";
  };
  bringToFront("Target One");
  EXPECT_EQ((std::vector<std::string>{"A1"}), m_sink.m_rgstrDelivered);
  EXPECT_EQ(2u, m_hold.heldCount());
  m_sink.m_fnOnDeliver = nullptr;
  bringToFront("Target Two");
  EXPECT_EQ((std::vector<std::string>{"A1", "A2", "A3"}), m_sink.m_rgstrDelivered);
}

TEST_F(LockedOutputHoldTest, StringArrivingWhileHeldOnesArePassedOnQueuesBehindThem)
{
  m_hold.submit("A1", m_dwNow);
  m_hold.submit("A2", m_dwNow);
  // The pipeline pumps messages for A1 (an expression waiting for a window): a new string and
  // another foreground notice arrive in the middle.
  m_sink.m_fnOnDeliver = [this](const std::string& strData) {
    if (strData == "A1")
    {
      m_hold.submit("B1", m_dwNow);
      m_hold.onForegroundChanged(m_dwNow);
    }
  };
  bringToFront("Target One");
  EXPECT_EQ((std::vector<std::string>{"A1", "A2", "B1"}), m_sink.m_rgstrDelivered);
}

TEST_F(LockedOutputHoldTest, StringsOverTheTimeLimitAreDroppedLoggedAndReported)
{
  m_hold.submit("A1", 1000);
  m_hold.submit("A2", 11000);
  EXPECT_EQ(30000u, m_hold.msUntilNextDrop(1000));
  EXPECT_EQ(1u, m_hold.msUntilNextDrop(30999));
  m_hold.onTimer(30999);
  EXPECT_TRUE(m_sink.m_rgstrDropped.empty());
  m_hold.onTimer(31000);
  EXPECT_EQ((std::vector<std::string>{"A1: No locked window became active within 30 seconds."}), m_sink.m_rgstrDropped);
  EXPECT_EQ(10000u, m_hold.msUntilNextDrop(31000));
  m_dwNow = 40999;
  bringToFront("Target One");
  EXPECT_EQ((std::vector<std::string>{"A2"}), m_sink.m_rgstrDelivered);
  EXPECT_EQ(LockedOutputHold::kdwNoDeadline, m_hold.msUntilNextDrop(m_dwNow));
  EXPECT_EQ((std::vector<std::string>{"Data Held For Locked Window", "Data Held For Locked Window", "Held Data Dropped"}),
            eventNames());
  const std::string& strDropped = m_monitors.m_rgstrTexts[2];
  EXPECT_NE(std::string::npos, strDropped.find("\nInput String = A1")) << strDropped;
  EXPECT_NE(std::string::npos, strDropped.find("\nReason = No locked window became active within 30 seconds."));
  EXPECT_NE(std::string::npos, m_monitors.m_rgstrTexts[0].find("\nCurrent Window's Title = Other Window"));
}

TEST_F(LockedOutputHoldTest, AWindowThatComesTooLateGetsOnlyTheStringsStillInTime)
{
  m_hold.submit("A1", 1000);
  m_hold.submit("A2", 20000);
  m_dwNow = 40000;  // no timer has run since
  bringToFront("Target One");
  EXPECT_EQ((std::vector<std::string>{"A2"}), m_sink.m_rgstrDelivered);
  EXPECT_EQ(1u, m_sink.m_rgstrDropped.size());
}

TEST_F(LockedOutputHoldTest, FullQueueDropsTheNewStringAndKeepsTheOthers)
{
  for (size_t i = 0; i < HeldDataQueue::kcMaxStrings; ++i)
    m_hold.submit("S" + std::to_string(i), m_dwNow);
  m_hold.submit("late", m_dwNow);
  EXPECT_EQ((std::vector<std::string>{"late: Too much data is waiting for a locked window."}), m_sink.m_rgstrDropped);
  bringToFront("Target One");
  ASSERT_EQ(HeldDataQueue::kcMaxStrings, m_sink.m_rgstrDelivered.size());
  EXPECT_EQ("S0", m_sink.m_rgstrDelivered.front());
  EXPECT_EQ("S99", m_sink.m_rgstrDelivered.back());
}

TEST_F(LockedOutputHoldTest, WithoutHoldOrLockEveryStringGoesStraightToThePipeline)
{
  struct Row
  {
    const char* pszWhat;
    bool fLock;
    bool fHold;
  };
  for (const Row& row : {Row{"hold off", true, false}, Row{"lock off", false, true}, Row{"both off", false, false}})
  {
    SCOPED_TRACE(row.pszWhat);
    RecordingHeldDataSink sink;
    LockedOutputHold hold(m_foreground, m_log, sink);
    hold.setSettings(row.fLock, {"Target*"}, row.fHold, 30);
    EXPECT_FALSE(hold.isActive());
    hold.submit("A1", m_dwNow);
    EXPECT_EQ((std::vector<std::string>{"A1"}), sink.m_rgstrDelivered) << "the pipeline applies the lock itself";
    EXPECT_EQ(LockedOutputHold::kdwNoDeadline, hold.msUntilNextDrop(m_dwNow));
  }
}

TEST_F(LockedOutputHoldTest, TurningTheHoldOffPassesTheHeldStringsOnInOrder)
{
  m_hold.submit("A1", m_dwNow);
  m_hold.submit("A2", m_dwNow);
  m_hold.setSettings(true, {"Target*"}, false, 30);
  EXPECT_EQ((std::vector<std::string>{"A1", "A2"}), m_sink.m_rgstrDelivered);
  EXPECT_EQ(0u, m_hold.heldCount());
}

TEST_F(LockedOutputHoldTest, ProfileSwitchInTheMiddleOfAReleasePassesTheRestOnInOrder)
{
  for (const char* pszData : {"A1", "A2", "A3"})
    m_hold.submit(pszData, m_dwNow);
  // A1's output expression switches to a profile without the hold; the port restarts with it.
  m_sink.m_fnOnDeliver = [this](const std::string& strData) {
    if (strData == "A1")
    {
      m_foreground.m_strTitle = "Other Window";
      m_hold.setSettings(false, {}, false, 30);
      m_hold.submit("B1", m_dwNow);
    }
  };
  bringToFront("Target One");
  EXPECT_EQ((std::vector<std::string>{"A1", "A2", "A3", "B1"}), m_sink.m_rgstrDelivered);
  EXPECT_EQ(0u, m_hold.heldCount());
}

TEST_F(LockedOutputHoldTest, NoForegroundWindowHoldsToo)
{
  m_foreground.m_fPresent = false;
  m_hold.submit("A1", m_dwNow);
  EXPECT_EQ(1u, m_hold.heldCount());
  EXPECT_NE(std::string::npos, m_monitors.m_rgstrTexts[0].find("\nNo Active Window"));
}

TEST_F(LockedOutputHoldTest, LongTimeLimitsDoNotWrap)
{
  m_hold.setSettings(true, {"Target*"}, true, 0xFFFFFFFFu);
  m_hold.submit("A1", 0);
  EXPECT_EQ(0xFFFFFFFFu, m_hold.msUntilNextDrop(0));
  m_hold.onTimer(0x7FFFFFFFu);
  EXPECT_TRUE(m_sink.m_rgstrDropped.empty());
}

TEST_F(LockedOutputHoldTest, UnloadDropsEveryHeldStringWithItsEvent)
{
  m_hold.submit("U1", m_dwNow);
  m_hold.submit("U2", m_dwNow);
  m_hold.dropAll(LockedOutputHold::kszUnloaded);
  EXPECT_EQ(0u, m_hold.heldCount());
  EXPECT_EQ((std::vector<std::string>{std::string("U1: ") + LockedOutputHold::kszUnloaded,
                                      std::string("U2: ") + LockedOutputHold::kszUnloaded}),
            m_sink.m_rgstrDropped);
  EXPECT_EQ((std::vector<std::string>{"Data Held For Locked Window", "Data Held For Locked Window", "Held Data Dropped",
                                      "Held Data Dropped"}),
            eventNames());
}
