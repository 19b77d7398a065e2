// The receiver's list of handed-over blocks: only a listed block is taken, together with the
// blocks listed before it for the same window, oldest first; anything else takes nothing.
#include "serial/HandedOverBlocks.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Blocks = std::vector<std::uintptr_t>;
const std::uintptr_t kWindow = 0x10010;
const std::uintptr_t kOtherWindow = 0x20020;

TEST(HandedOverBlocksTest, OnlyListedBlocksAreTakenInOrder)
{
  HandedOverBlocks blocks;
  blocks.add(kWindow, 0xA0);
  blocks.add(kWindow, 0xB0);
  blocks.add(kOtherWindow, 0xC0);
  blocks.add(kWindow, 0xD0);

  EXPECT_EQ(Blocks{}, blocks.takeThrough(kWindow, 0));
  EXPECT_EQ(Blocks{}, blocks.takeThrough(kWindow, 0x1000));
  EXPECT_EQ(Blocks{}, blocks.takeThrough(kWindow, 0xC0)) << "another window's block";
  EXPECT_EQ(Blocks{0xA0}, blocks.takeThrough(kWindow, 0xA0));
  EXPECT_EQ(Blocks{}, blocks.takeThrough(kWindow, 0xA0)) << "taken already";
  // A message that never came leaves its block before the next one's: both go, in order.
  EXPECT_EQ((Blocks{0xB0, 0xD0}), blocks.takeThrough(kWindow, 0xD0));
  EXPECT_EQ(Blocks{}, blocks.takeAll(kWindow));
  EXPECT_EQ(Blocks{0xC0}, blocks.takeAll(kOtherWindow));
}

TEST(HandedOverBlocksTest, BlockWhosePostFailedIsForgotten)
{
  HandedOverBlocks blocks;
  blocks.add(kWindow, 0xA0);
  blocks.add(kWindow, 0xB0);
  blocks.remove(kWindow, 0xB0);
  EXPECT_EQ(Blocks{}, blocks.takeThrough(kWindow, 0xB0));
  EXPECT_EQ(Blocks{0xA0}, blocks.takeAll(kWindow));
}
}  // namespace
