#include "pipeline/SubscriberList.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
WindowHandle handle(std::uintptr_t n)
{
  return reinterpret_cast<WindowHandle>(n);
}

// Handles below 100 are existing windows.
bool isFakeWindow(WindowHandle hWindow)
{
  return reinterpret_cast<std::uintptr_t>(hWindow) < 100;
}

TEST(SubscriberListTest, AddKeepsRegistrationOrderAndIgnoresDuplicatesAndNonWindows)
{
  SubscriberList list(isFakeWindow);
  EXPECT_TRUE(list.add(handle(5)));
  EXPECT_TRUE(list.add(handle(3)));
  EXPECT_FALSE(list.add(handle(5)));
  EXPECT_FALSE(list.add(handle(500)));
  EXPECT_FALSE(list.add(nullptr));
  ASSERT_EQ(2u, list.getCount());
  EXPECT_EQ(handle(5), list.getAt(0));
  EXPECT_EQ(handle(3), list.getAt(1));
}

TEST(SubscriberListTest, IndexOutsideTheListGivesNull)
{
  SubscriberList list(isFakeWindow);
  EXPECT_EQ(nullptr, list.getAt(0));
  list.add(handle(1));
  EXPECT_EQ(nullptr, list.getAt(1));
  EXPECT_EQ(nullptr, list.getAt(static_cast<size_t>(-1)));
}

TEST(SubscriberListTest, RemoveDeletesThePresentHandleOnly)
{
  SubscriberList list(isFakeWindow);
  list.add(handle(1));
  list.add(handle(2));
  list.add(handle(3));
  EXPECT_TRUE(list.remove(handle(2)));
  EXPECT_FALSE(list.remove(handle(2)));
  EXPECT_FALSE(list.remove(handle(500)));
  EXPECT_EQ((std::vector<WindowHandle>{handle(1), handle(3)}), list.snapshot());
  list.removeAll();
  EXPECT_EQ(0u, list.getCount());
}

TEST(SubscriberListTest, ARemovedWindowMayComeBackAtTheEnd)
{
  SubscriberList list(isFakeWindow);
  list.add(handle(1));
  list.add(handle(2));
  list.remove(handle(1));
  list.add(handle(1));
  EXPECT_EQ((std::vector<WindowHandle>{handle(2), handle(1)}), list.snapshot());
}
}  // namespace
