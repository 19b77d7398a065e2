#include "pipeline/SubscriberList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

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
// The existence of windows as a test sets it.
std::vector<std::uintptr_t> g_rgnGone;

bool isLiveFakeWindow(WindowHandle hWindow)
{
  std::uintptr_t n = reinterpret_cast<std::uintptr_t>(hWindow);
  return std::find(g_rgnGone.begin(), g_rgnGone.end(), n) == g_rgnGone.end();
}

TEST(SubscriberListTest, RemoveVanishedTakesOutGoneWindowsWithTheirNamesAndKeepsTheOrderOfTheRest)
{
  struct Row
  {
    const char* pszCase;
    std::vector<std::uintptr_t> rgnGone;
    std::vector<std::string> rgstrRemoved;
    std::vector<WindowHandle> rghKept;
  };
  const Row rgRows[] = {
    {"none gone", {}, {}, {handle(1), handle(2), handle(3)}},
    {"the middle one", {2}, {"two"}, {handle(1), handle(3)}},
    {"first and last", {1, 3}, {"one", "three"}, {handle(2)}},
    {"all", {3, 1, 2}, {"one", "two", "three"}, {}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    g_rgnGone.clear();
    SubscriberList list(isLiveFakeWindow);
    list.add(handle(1), "one");
    list.add(handle(2), "two");
    list.add(handle(3), "three");
    g_rgnGone = row.rgnGone;
    std::vector<std::string> rgstrRemoved;
    for (const SubscriberList::Member& member : list.removeVanished())
      rgstrRemoved.push_back(member.strName);
    EXPECT_EQ(row.rgstrRemoved, rgstrRemoved);
    EXPECT_EQ(row.rghKept, list.snapshot());
    EXPECT_TRUE(list.removeVanished().empty()) << "a second look finds nothing more";
  }
  g_rgnGone.clear();
}

TEST(SubscriberListTest, NameOfGivesTheNameOfTheHandleWhileItIsListed)
{
  SubscriberList list(isFakeWindow);
  list.add(handle(1), "Pelldrop");
  list.add(handle(2));
  EXPECT_FALSE(list.add(handle(1), "Other")) << "a second add neither adds nor renames";
  EXPECT_EQ("Pelldrop", list.nameOf(handle(1)));
  EXPECT_EQ("", list.nameOf(handle(2)));
  list.remove(handle(1));
  EXPECT_EQ("", list.nameOf(handle(1)));
}
}  // namespace
