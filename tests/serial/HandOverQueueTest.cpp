#include "serial/HandOverQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A receiver that refuses a given number of hand-overs at chosen moments.
struct FlakyReceiver
{
  bool deliver(const std::string& str)
  {
    if (nRefusals > 0)
    {
      --nRefusals;
      return false;
    }
    rgstrReceived.push_back(str);
    return true;
  }
  HandOverQueue::Deliver fn()
  {
    return [this](const std::string& str) { return deliver(str); };
  }

  int nRefusals = 0;
  std::vector<std::string> rgstrReceived;
};

TEST(HandOverQueueTest, DeliversInOrder)
{
  HandOverQueue queue;
  FlakyReceiver receiver;
  queue.push("a");
  queue.push("b");
  EXPECT_EQ(2u, queue.flush(receiver.fn()));
  EXPECT_TRUE(queue.empty());
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), receiver.rgstrReceived);
}

TEST(HandOverQueueTest, RefusedHandOverKeepsItsPlaceAndLaterOnesWait)
{
  HandOverQueue queue;
  FlakyReceiver receiver;
  std::vector<std::string> rgstrSent;
  for (int n = 0; n < 100; ++n)
  {
    std::string str = "line " + std::to_string(n);
    rgstrSent.push_back(str);
    queue.push(str);
    if (n % 7 == 3)
      receiver.nRefusals = n % 3 + 1;
    queue.flush(receiver.fn());
  }
  receiver.nRefusals = 0;
  queue.flush(receiver.fn());
  EXPECT_EQ(rgstrSent, receiver.rgstrReceived);
}

TEST(HandOverQueueTest, FlushStopsAtTheFirstRefusal)
{
  HandOverQueue queue;
  FlakyReceiver receiver;
  queue.push("a");
  queue.push("b");
  receiver.nRefusals = 1;
  EXPECT_EQ(0u, queue.flush(receiver.fn()));
  EXPECT_EQ(2u, queue.size());
  EXPECT_TRUE(receiver.rgstrReceived.empty());
}

TEST(HandOverQueueTest, EmptyStringsAreDataStringsToo)
{
  HandOverQueue queue;
  FlakyReceiver receiver;
  queue.push("");
  EXPECT_EQ(1u, queue.flush(receiver.fn()));
  EXPECT_EQ((std::vector<std::string>{""}), receiver.rgstrReceived);
}
}  // namespace
