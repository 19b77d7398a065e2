// The deadlines the communication thread sleeps until: a data string's pause, the next wake of
// its wait, and the rate of line error reports.
#include "serial/DataStringCutter.h"
#include "serial/LineErrorTally.h"
#include "serial/NextWake.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct WakeRow
{
  uint32_t dwNow;
  std::vector<uint32_t> rgdwDue;
  uint32_t dwExpected;
};

TEST(NextWakeTest, WaitsUntilTheNearestDeadlineOrForEver)
{
  const WakeRow rows[] = {
      {1000, {}, NextWake::kdwNever},
      {1000, {1030, 1250}, 30},
      {1000, {1250, 1001}, 1},
      {1000, {999}, 0},                      // already passed
      {0xFFFFFFF0u, {0x00000010u}, 0x20},    // across the tick wrap
      {0x00000010u, {0xFFFFFFF0u}, 0},       // passed, before the wrap
  };
  for (const WakeRow& row : rows)
  {
    SCOPED_TRACE("now " + std::to_string(row.dwNow));
    NextWake wake(row.dwNow);
    for (uint32_t dwDue : row.rgdwDue)
      wake.at(dwDue);
    EXPECT_EQ(row.dwExpected, wake.waitMs());
  }
}

// A thread that wakes only at the cutter's deadline ends a data string at the very tick a pass
// every millisecond would: bytes 10 ms apart with a pause of 30 form one string, 30 ms after the
// last byte; injected text likewise; in terminator mode nothing waits for a pause.
struct PauseRow
{
  uint32_t dwTermination;  // kTerminationByTerminator or kTerminationByTimeout
  uint32_t dwStart;
  bool fInjected;
  bool fHasDeadline;
};

TEST(PauseDeadlineTest, SleepingUntilThePauseEndsTheStringOnTime)
{
  const PauseRow rows[] = {
      {kTerminationByTimeout, 1000, false, true},
      {kTerminationByTimeout, 0xFFFFFFE0u, false, true},
      {kTerminationByTimeout, 1000, true, true},
      {kTerminationByTerminator, 1000, false, false},
  };
  for (const PauseRow& row : rows)
  {
    SCOPED_TRACE("start " + std::to_string(row.dwStart) + (row.fInjected ? " injected" : ""));
    SerialSettings settings;
    settings.dwTerminationType = row.dwTermination;
    settings.dwTerminationTimeout = 30;
    RecordingSink sink;
    DataStringCutter cutter(settings, sink);
    cutter.start({}, row.dwStart);
    uint32_t dwDue = 0;
    EXPECT_FALSE(cutter.pauseDeadline(dwDue)) << "nothing waits yet";
    uint32_t dwLast = row.dwStart;
    for (int n = 0; n < 3; ++n)
    {
      dwLast = row.dwStart + 10 * static_cast<uint32_t>(n);
      if (row.fInjected)
        cutter.injectText("AB", dwLast);
      else
        cutter.receiveBytes("AB", 2, dwLast);
    }
    ASSERT_EQ(row.fHasDeadline, cutter.pauseDeadline(dwDue));
    if (!row.fHasDeadline)
      continue;
    NextWake wake(dwLast);
    wake.at(dwDue);
    cutter.idle(dwLast + wake.waitMs() - 1);
    EXPECT_TRUE(sink.m_rgstrHandedOver.empty()) << "a millisecond early";
    cutter.idle(dwLast + wake.waitMs());
    EXPECT_EQ((std::vector<std::string>{"ABABAB"}), sink.m_rgstrHandedOver);
    EXPECT_FALSE(cutter.pauseDeadline(dwDue)) << "nothing left to wait for";
  }
}

// Errors noted at these ticks give reports at most a second apart, each with the counts since
// the one before; the first error after a quiet second is reported at once.
struct NoteStep
{
  uint32_t dwNow;
  uint32_t dwErrors;
  const char* pszReport;  // the counts reported at this tick, or nullptr for none
};

std::string countsOf(const std::vector<std::string>& rgstrDetails)
{
  std::string strCounts;
  for (size_t i = 0; i + 1 < rgstrDetails.size(); ++i)
    strCounts += rgstrDetails[i].substr(rgstrDetails[i].rfind(' ') + 1);
  return strCounts;
}

TEST(LineErrorTallyTest, ReportsAtMostOnceASecondWithTheCountsSinceTheLast)
{
  using T = LineErrorTally;
  const NoteStep steps[] = {
      {1000, 0, nullptr},                            // no error
      {1000, 0x10, nullptr},                         // a break is no line error
      {1005, T::kFraming, "1000"},                   // framing, parity, overrun, overflow
      {1100, T::kFraming | T::kParity, nullptr},
      {1500, T::kOverrun | T::kBufferOverflow, nullptr},
      {2004, 0, nullptr},
      {2005, 0, "1111"},                             // a second after the last report
      {2600, 0, nullptr},
      {3500, T::kParity, "0100"},                    // after a quiet second: at once
  };
  LineErrorTally tally;
  for (const NoteStep& step : steps)
  {
    SCOPED_TRACE("tick " + std::to_string(step.dwNow));
    tally.note(step.dwErrors, step.dwNow);
    ASSERT_EQ(step.pszReport != nullptr, tally.due(step.dwNow));
    uint32_t dwDue = 0;
    if (step.pszReport == nullptr)
      continue;
    ASSERT_TRUE(tally.pending(dwDue));
    std::vector<std::string> rgstrDetails = tally.takeReport(step.dwNow);
    EXPECT_EQ(step.pszReport, countsOf(rgstrDetails));
    EXPECT_NE(std::string::npos, rgstrDetails.back().find("speed, parity or number of data bits"));
    EXPECT_FALSE(tally.pending(dwDue));
  }
}
}  // namespace
