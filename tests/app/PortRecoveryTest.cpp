#include "app/PortRecovery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using State = PortRecovery::State;

// Each step of a port's life, with the state after it and what the step returned (the caller
// acts on true: reports the loss, or the return).
struct Step
{
  const char* pszStep;
  bool fReturned;
  State after;
};

std::vector<Step> play(PortRecovery& recovery, const std::vector<std::string>& rgstrSteps)
{
  std::vector<Step> rgSteps;
  uint32_t dwPrevious = recovery.generation();
  for (const std::string& strStep : rgstrSteps)
  {
    bool fReturned = false;
    if (strStep == "open")
    {
      dwPrevious = recovery.generation();
      recovery.opening();
      fReturned = recovery.opened();
    }
    else if (strStep == "close")
      recovery.closed();
    else if (strStep == "lose")
      fReturned = recovery.lost(recovery.generation());
    else if (strStep == "stale")
      fReturned = recovery.lost(dwPrevious);
    rgSteps.push_back({strStep.c_str(), fReturned, recovery.state()});
  }
  return rgSteps;
}

TEST(PortRecoveryTest, AnOpenPortThatGoesIsRetriedUntilItIsBackOrClosedOnPurpose)
{
  struct Row
  {
    const char* pszStory;
    std::vector<std::string> rgstrSteps;
    std::vector<bool> rgfReturned;
    std::vector<State> rgStates;
  };
  const Row rgRows[] = {
      {"pulled and plugged back", {"open", "lose", "open"}, {false, true, true}, {State::kOpen, State::kGone, State::kOpen}},
      {"the thread reports twice", {"open", "lose", "lose"}, {false, true, false}, {State::kOpen, State::kGone, State::kGone}},
      {"closed by the user while gone", {"open", "lose", "close", "lose"}, {false, true, false, false},
       {State::kOpen, State::kGone, State::kClosed, State::kClosed}},
      {"a report after closing is stale", {"open", "close", "lose"}, {false, false, false},
       {State::kOpen, State::kClosed, State::kClosed}},
      {"never opened", {"lose"}, {false}, {State::kClosed}},
      {"reopened on purpose", {"open", "open"}, {false, false}, {State::kOpen, State::kOpen}},
      {"a report about the port before a reopen is stale", {"open", "open", "stale", "lose"},
       {false, false, false, true}, {State::kOpen, State::kOpen, State::kOpen, State::kGone}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszStory);
    PortRecovery recovery;
    std::vector<Step> rgSteps = play(recovery, row.rgstrSteps);
    ASSERT_EQ(row.rgStates.size(), rgSteps.size());
    for (size_t i = 0; i < rgSteps.size(); ++i)
    {
      SCOPED_TRACE(i);
      EXPECT_EQ(row.rgfReturned[i], rgSteps[i].fReturned);
      EXPECT_EQ(row.rgStates[i], rgSteps[i].after);
    }
    EXPECT_EQ(recovery.state() == State::kGone, recovery.isRetrying());
  }
}

TEST(PortRecoveryTest, AResumeReopensWhateverPortIsWanted)
{
  PortRecovery recovery;
  EXPECT_FALSE(recovery.wantsReopenOnResume()) << "no port was ever opened";
  recovery.opened();
  EXPECT_TRUE(recovery.wantsReopenOnResume());
  recovery.lost(recovery.generation());
  EXPECT_TRUE(recovery.wantsReopenOnResume()) << "a port being retried is wanted too";
  recovery.closed();
  EXPECT_FALSE(recovery.wantsReopenOnResume());
}

TEST(PortRecoveryTest, TheTipAndTheEventsNameThePort)
{
  EXPECT_EQ("COM5 gone: reconnecting by itself", PortRecovery::goneTip("COM5"));
  EXPECT_EQ(63u, PortRecovery::goneTip(std::string(70, 'P')).size());
  std::vector<std::string> rgstrGone = PortRecovery::goneDetails("COM5", "The device is not ready.");
  ASSERT_EQ(3u, rgstrGone.size());
  EXPECT_EQ("Port = COM5", rgstrGone[0]);
  EXPECT_EQ("Error = The device is not ready.", rgstrGone[1]);
  EXPECT_EQ("The port is closed and opened again every 2 seconds.", rgstrGone[2]);
  EXPECT_EQ(std::vector<std::string>{"Port = COM5"}, PortRecovery::backDetails("COM5"));
}
}  // namespace
