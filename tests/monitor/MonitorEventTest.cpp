#include "monitor/MonitorEvent.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct ParseRow
{
  const char* pszCase;
  std::string strBlock;
  size_t cbClaimed;  // npos: the whole block
  bool fEvent;
  const char* pszName;
  size_t cDetails;
};

// Quilbar sends the text with its zero byte; other programs may send anything.
TEST(MonitorEventTest, ABlockIsAnEventOnlyWithANameAndATimeStampAndIsReadWithinItsSize)
{
  const std::string strEvent = std::string("Keyboard Output\nTime Stamp = 2026-12-09 14:05:09.042\nInput String = 12<CR>\nKeyboard Data = 1 2 ") + '\0';
  const ParseRow rows[] = {
      {"as Quilbar sends it", strEvent, std::string::npos, true, "Keyboard Output", 2},
      {"without details", std::string("Data Filtered\nTime Stamp = x") + '\0', std::string::npos, true, "Data Filtered", 0},
      {"no zero byte: read up to the stated size", "Connected\nTime Stamp = t\nActive Profile = A", std::string::npos, true, "Connected", 1},
      {"stated size cuts the details", strEvent, strEvent.find("\nKeyboard"), true, "Keyboard Output", 1},
      {"stated size cuts the time stamp", strEvent, 20, false, "", 0},
      {"no time stamp line", std::string("Keyboard Output\nInput String = 1") + '\0', std::string::npos, false, "", 0},
      {"empty name", std::string("\nTime Stamp = t") + '\0', std::string::npos, false, "", 0},
      {"empty block", std::string(1, '\0'), std::string::npos, false, "", 0},
      {"zero byte before the details", std::string("A\nTime Stamp = t") + '\0' + "\nInput String = x", std::string::npos, true, "A", 0},
  };
  for (const ParseRow& row : rows)
  {
    SCOPED_TRACE(row.pszCase);
    MonitorEvent event;
    event.strName = "before";
    size_t cb = row.cbClaimed == std::string::npos ? row.strBlock.size() : row.cbClaimed;
    EXPECT_EQ(row.fEvent, MonitorEvent::parse(row.strBlock.data(), cb, event));
    EXPECT_EQ(row.fEvent ? row.pszName : "before", event.strName);
    if (row.fEvent)
    {
      EXPECT_EQ(row.cDetails, event.rgstrDetails.size());
    }
  }
  MonitorEvent event;
  EXPECT_FALSE(MonitorEvent::parse(nullptr, 10, event));
}

TEST(MonitorEventTest, DetailsAreFoundByTheirKeyAndAVeryLongEventIsKeptUpToItsBound)
{
  std::string strText = "Keyboard Output\nTime Stamp = t\nInput String = AB\nInput String (after replacements) = A";
  MonitorEvent event;
  ASSERT_TRUE(MonitorEvent::parse(strText.data(), strText.size(), event));
  std::string strValue;
  EXPECT_TRUE(event.detail("Input String", strValue));
  EXPECT_EQ("AB", strValue) << "the key is matched with its \" = \", not as a prefix of a longer key";
  EXPECT_FALSE(event.detail("Keyboard Data", strValue));

  std::string strLong = "Keyboard Output\nTime Stamp = t\nInput String = " + std::string(MonitorEvent::kcchMaxText, 'x') +
                        "\nKeyboard Data = k";
  ASSERT_TRUE(MonitorEvent::parse(strLong.data(), strLong.size(), event));
  EXPECT_FALSE(event.detail("Input String", strValue)) << "a cut line is not read as a whole one";
  EXPECT_LT(event.strText.size(), MonitorEvent::kcchMaxText + 100);
  EXPECT_NE(std::string::npos, event.strText.find("more bytes not kept"));
}
}  // namespace
