#include "monitor/ScanRow.h"
#include "monitor/ScanTable.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
MonitorEvent eventOf(const std::string& strText)
{
  MonitorEvent event;
  EXPECT_TRUE(MonitorEvent::parse(strText.data(), strText.size(), event)) << strText;
  return event;
}

struct FateRow
{
  const char* pszEvent;  // name and details after the time stamp
  ScanRow::Fate fate;
  const char* pszFate;
  const char* pszFormat;
};

// The events of the pipeline and of the hold for a locked window, as the wedge writes them.
TEST(ScanRowTest, EachOutcomeOfTheWedgeBecomesItsFate)
{
  const FateRow rows[] = {
      {"Keyboard Output\nInput String = 12\nInput String (after replacements) = 12\nMatching Data Editing Format = Plain\n"
       "Keyboard Data = 1 2 ",
       ScanRow::Fate::Typed, "typed: 1 2 ", "Plain"},
      {"Keyboard Output\nInput String = 12\nNo matching data edit format, data passed through\nKeyboard Data = 1 \n"
       "Not Typed = window in front runs as administrator\nCurrent Window's Title = Admin",
       ScanRow::Fate::NotTyped, "not typed: window in front runs as administrator (\"Admin\" in front); typed before: 1 ",
       "(none: passed through)"},
      {"Subscriber Output\nInput String = 1\nSubscriber Data = 1\nSubscribers = File plugin for Quilbar, Other",
       ScanRow::Fate::Sent, "sent to 2 subscribers (File plugin for Quilbar, Other)", ""},
      {"Duplicate String Filtered\nInput String = 1\nTime Between Duplicates = 40 ms", ScanRow::Fate::Duplicate,
       "filtered as a duplicate (40 ms after the one before)", ""},
      {"Data Filtered\nInput String = 1\nInput String (after replacements) = 1", ScanRow::Fate::Unknown,
       "dropped as unknown: no format matched", ""},
      {"Data Held For Locked Window\nInput String = 1\nCurrent Window's Title = Monitor\nStrings Held = 2",
       ScanRow::Fate::Held, "held for the locked window (\"Monitor\" in front), 2 waiting", ""},
      {"Locked Window(s) Not Active\nInput String = 1\nNo Active Window", ScanRow::Fate::NotTyped,
       "not typed: locked window not in front (no window in front)", ""},
      {"Held Data Dropped\nInput String = 1\nReason = No locked window became active within 5 seconds.",
       ScanRow::Fate::NotTyped, "not typed: No locked window became active within 5 seconds.", ""},
      {"FORMAT ERROR!!!\nInput String = 1\nMatching Data Editing Format = F\nError Message = bad", ScanRow::Fate::NotTyped,
       "not typed: error in the format's output: bad", "F"},
  };
  for (const FateRow& row : rows)
  {
    SCOPED_TRACE(row.pszEvent);
    std::string strEvent = row.pszEvent;
    strEvent.insert(strEvent.find('\n'), "\nTime Stamp = 2026-12-09 14:05:09.042");
    ScanRow scan;
    ASSERT_TRUE(ScanRow::fromEvent(eventOf(strEvent), scan));
    EXPECT_EQ(row.fate, scan.fate);
    EXPECT_EQ(row.pszFate, scan.strFate);
    EXPECT_EQ(row.pszFormat, scan.strFormat);
    EXPECT_EQ("14:05:09.042", scan.strTime);
    EXPECT_EQ(strEvent, scan.strEvent);
  }
  ScanRow scan;
  EXPECT_FALSE(ScanRow::fromEvent(eventOf("Switching Profile\nTime Stamp = t\nName = B"), scan));
}

TEST(ScanTableTest, TheTableKeepsTheNewestThousandRowsAndReportsThemWithTheirEvents)
{
  ScanTable table;
  for (size_t i = 0; i < ScanTable::kcRows + 5; ++i)
  {
    ScanRow row;
    row.strArrived = std::to_string(i);
    row.strEvent = "Keyboard Output\nInput String = " + std::to_string(i);
    EXPECT_EQ(i >= ScanTable::kcRows, table.add(row)) << i;
  }
  ASSERT_EQ(ScanTable::kcRows, table.size());
  EXPECT_EQ("5", table.row(0).strArrived);
  EXPECT_EQ("1004", table.row(ScanTable::kcRows - 1).strArrived);
  std::string strReport = table.report(ScanTable::kcRows - 1, 5);
  EXPECT_EQ("Time\tArrived\tAfter replacements\tFormat\tWhat became of it\r\n\t1004\t\t\t\r\n"
            "    Keyboard Output\r\n    Input String = 1004\r\n",
            strReport);
  table.clear();
  EXPECT_EQ(0u, table.size());
}
}  // namespace
