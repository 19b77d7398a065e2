// The queue of strings held for a locked window: order, both bounds, and the time limit measured
// on a tick counter that wraps.
#include "pipeline/HeldDataQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(HeldDataQueue, StringsComeOutInTheOrderTheyWentIn)
{
  HeldDataQueue queue;
  for (const char* pszData : {"one", "two", "", "four"})
    ASSERT_TRUE(queue.push(pszData, 100));
  EXPECT_EQ(4u, queue.size());
  EXPECT_EQ(10u, queue.bytes());
  EXPECT_EQ("one", queue.popFront());
  EXPECT_EQ((std::vector<std::string>{"two", "", "four"}), queue.takeAll());
  EXPECT_TRUE(queue.empty());
  EXPECT_EQ(0u, queue.bytes());
}

TEST(HeldDataQueue, RefusesWhatWouldPassEitherBound)
{
  HeldDataQueue queue(3, 10);
  EXPECT_TRUE(queue.push("12345", 0));
  EXPECT_FALSE(queue.push("123456", 0)) << "eleven bytes";
  EXPECT_TRUE(queue.push("12345", 0)) << "exactly ten bytes";
  EXPECT_FALSE(queue.push("1", 0));
  EXPECT_TRUE(queue.push("", 0));
  EXPECT_FALSE(queue.push("", 0)) << "a fourth string";
  EXPECT_EQ(3u, queue.size());
  queue.popFront();
  EXPECT_TRUE(queue.push("12345", 0)) << "room again once a string has gone";
  EXPECT_EQ((std::vector<std::string>{"12345", "", "12345"}), queue.takeAll());
}

TEST(HeldDataQueue, ExpiredStringsAreTheOldestAndLeaveFirst)
{
  struct Row
  {
    const char* pszWhat;
    uint32_t dwStart;
  };
  // The same story at an ordinary time and across the wrap of the tick counter.
  for (const Row& row : {Row{"ordinary", 5000}, Row{"across the wrap", 0xFFFFFFFFu - 1500}})
  {
    SCOPED_TRACE(row.pszWhat);
    HeldDataQueue queue;
    uint32_t dwStart = row.dwStart;
    queue.push("a", dwStart);
    queue.push("b", dwStart + 1000);
    queue.push("c", dwStart + 2000);
    EXPECT_EQ(3000u, queue.msUntilNextExpiry(dwStart, 3000));
    EXPECT_TRUE(queue.takeExpired(dwStart + 2999, 3000).empty());
    EXPECT_EQ(1u, queue.msUntilNextExpiry(dwStart + 2999, 3000));
    EXPECT_EQ((std::vector<std::string>{"a"}), queue.takeExpired(dwStart + 3000, 3000));
    EXPECT_EQ(1000u, queue.msUntilNextExpiry(dwStart + 3000, 3000));
    EXPECT_EQ((std::vector<std::string>{"b", "c"}), queue.takeExpired(dwStart + 9000, 3000));
    EXPECT_TRUE(queue.empty());
  }
}

TEST(HeldDataQueue, OverdueStringIsDueAtOnce)
{
  HeldDataQueue queue;
  queue.push("a", 100);
  EXPECT_EQ(0u, queue.msUntilNextExpiry(5000, 3000));
  EXPECT_EQ(0u, queue.msUntilNextExpiry(100, 0)) << "a limit of 0 drops at the first chance";
}
