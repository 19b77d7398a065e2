#include "pipeline/EventLog.h"
#include "pipeline/LogFile.h"
#include "pipeline/MonitorTextQueue.h"
#include "PipelineFakes.h"
#include "TempLogFile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace
{
using namespace pipelinetest;

class EventLogTest : public ::testing::Test
{
protected:
  FixedLogClock m_clock;
  RecordingMonitorSink m_monitors;
  EventLog m_log{m_clock, &m_monitors};
  TempLogFile m_file;
};

TEST_F(EventLogTest, TimestampIsZeroPaddedLocalTimeWithMilliseconds)
{
  LocalTime time;
  time.nYear = 2024;
  time.nMonth = 1;
  time.nDay = 2;
  time.nHour = 3;
  time.nMinute = 4;
  time.nSecond = 5;
  time.nMilliseconds = 6;
  EXPECT_EQ("2024-01-02 03:04:05.006", EventLog::formatTimestamp(time));
  EXPECT_EQ("2007-03-01 14:05:09.042", EventLog::formatTimestamp(m_clock.m_time));
}

TEST_F(EventLogTest, EventWithDetailsWritesOneLinePerDetailWithOneTimestamp)
{
  m_log.setSettings(1, m_file.path());
  m_log.logEvent("Keyboard Output", {"Input String = AB", "Keyboard Data = A B "});
  EXPECT_EQ("2007-03-01 14:05:09.042 Keyboard Output: Input String = AB\r\n"
            "2007-03-01 14:05:09.042 Keyboard Output: Keyboard Data = A B \r\n",
            m_file.contents());
  EXPECT_EQ(1, m_clock.m_nReads) << "one time stamp for the whole event";
}

TEST_F(EventLogTest, EventWithoutDetailsWritesOneLine)
{
  m_log.setSettings(1, m_file.path());
  m_log.logEvent("Entering Settings dialog");
  m_log.logEvent("Exiting Settings dialog", {});
  EXPECT_EQ("2007-03-01 14:05:09.042 Entering Settings dialog\r\n"
            "2007-03-01 14:05:09.042 Exiting Settings dialog\r\n",
            m_file.contents());
}

TEST_F(EventLogTest, OnlyLoggingExactlyOneWritesTheFile)
{
  for (uint32_t dwLogging : {0u, 2u, 0xFFFFFFFFu})
  {
    SCOPED_TRACE(dwLogging);
    m_log.setSettings(dwLogging, m_file.path());
    EXPECT_FALSE(m_log.isEventOutputWanted());
    m_log.logEvent("Profile Added", {"Name = Line 2"});
    EXPECT_FALSE(m_file.exists());
  }
}

TEST_F(EventLogTest, EventOutputIsWantedForFileLoggingOrAMonitor)
{
  struct Row
  {
    uint32_t dwLogging;
    size_t nMonitors;
    bool fWanted;
  };
  const Row rgRows[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {2, 0, false}, {2, 3, true}, {1, 1, true}};
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(std::to_string(row.dwLogging) + " " + std::to_string(row.nMonitors));
    m_log.setSettings(row.dwLogging, m_file.path());
    m_monitors.m_nMonitors = row.nMonitors;
    EXPECT_EQ(row.fWanted, m_log.isEventOutputWanted());
  }
}

TEST_F(EventLogTest, MonitorsReceiveTheEventTextWithoutFileLogging)
{
  m_log.setSettings(0, m_file.path());
  m_monitors.m_nMonitors = 1;
  m_log.logEvent("Switching Profile", {"Name = Line 2", "second"});
  m_log.logEvent("Exiting Settings dialog");
  ASSERT_EQ(2u, m_monitors.m_rgstrTexts.size());
  EXPECT_EQ("Switching Profile\nTime Stamp = 2007-03-01 14:05:09.042\nName = Line 2\nsecond", m_monitors.m_rgstrTexts[0]);
  EXPECT_EQ("Exiting Settings dialog\nTime Stamp = 2007-03-01 14:05:09.042", m_monitors.m_rgstrTexts[1]);
  EXPECT_FALSE(m_file.exists());
}

// The communication thread's events: the file line at once, the monitors later from the main
// thread, with the time stamp of the moment the event happened; raw input never.
TEST_F(EventLogTest, EventsOfAnotherThreadReachTheFileAtOnceAndMonitorsThroughTheMainThread)
{
  m_log.setSettings(1, m_file.path());
  m_monitors.m_nMonitors = 1;
  MonitorTextQueue queue;
  EXPECT_TRUE(queue.push(m_log.logEventFromOtherThread("Serial Line Errors", {"Framing Errors = 3"})));
  EXPECT_FALSE(queue.push(m_log.logEventFromOtherThread("Serial Port Error", {})))
      << "one notice for what waits";
  EXPECT_EQ("", m_log.logEventFromOtherThread(EventLog::kszRawInputData, {"41"}));
  EXPECT_EQ("2007-03-01 14:05:09.042 Serial Line Errors: Framing Errors = 3\r\n"
            "2007-03-01 14:05:09.042 Serial Port Error\r\n"
            "2007-03-01 14:05:09.042 RAW INPUT DATA: 41\r\n",
            m_file.contents());
  EXPECT_TRUE(m_monitors.m_rgstrTexts.empty()) << "not from the other thread";
  m_clock.m_time.nSecond = 30;
  for (const std::string& strText : queue.takeAll())
    m_log.sendToMonitors(strText);
  EXPECT_EQ((std::vector<std::string>{"Serial Line Errors\nTime Stamp = 2007-03-01 14:05:09.042\nFraming Errors = 3",
                                      "Serial Port Error\nTime Stamp = 2007-03-01 14:05:09.042"}),
            m_monitors.m_rgstrTexts);
  EXPECT_TRUE(queue.push("next")) << "a new notice after the texts were taken";
  queue.noticeLost();
  EXPECT_TRUE(queue.push("after a lost notice"));
  for (size_t n = 0; n < MonitorTextQueue::kMaxTexts; ++n)
    queue.push("flood");
  EXPECT_EQ(MonitorTextQueue::kMaxTexts, queue.takeAll().size());
}

TEST_F(EventLogTest, NothingGoesToMonitorsWhenNoneIsRegistered)
{
  m_log.setSettings(1, m_file.path());
  m_log.logEvent("Profile Deleted", {"Name = X"});
  EXPECT_TRUE(m_monitors.m_rgstrTexts.empty());
  EXPECT_EQ("2007-03-01 14:05:09.042 Profile Deleted: Name = X\r\n", m_file.contents());
}

TEST_F(EventLogTest, RawInputIsLoggedAsHexPairsAndNeverReachesMonitors)
{
  m_log.setSettings(1, m_file.path());
  m_monitors.m_nMonitors = 2;
  m_log.logRawInput("AB\r");
  m_log.logEvent(EventLog::kszRawInputData, {"ff"});
  EXPECT_EQ("2007-03-01 14:05:09.042 RAW INPUT DATA: 41 42 0d\r\n"
            "2007-03-01 14:05:09.042 RAW INPUT DATA: ff\r\n",
            m_file.contents());
  EXPECT_TRUE(m_monitors.m_rgstrTexts.empty());
}

TEST_F(EventLogTest, RawInputIsNotLoggedWithoutFileLoggingEvenForMonitors)
{
  m_log.setSettings(0, m_file.path());
  m_monitors.m_nMonitors = 1;
  m_log.logRawInput("AB\r");
  EXPECT_FALSE(m_file.exists());
  EXPECT_TRUE(m_monitors.m_rgstrTexts.empty());
}

TEST_F(EventLogTest, EmptyFilenameWithLoggingOnWritesNothingButStillServesMonitors)
{
  m_log.setSettings(1, "");
  m_monitors.m_nMonitors = 1;
  m_log.logEvent("Data Filtered", {"Input String = x"});
  EXPECT_EQ(1u, m_monitors.m_rgstrTexts.size());
}

TEST_F(EventLogTest, UnwritableLogFileIsIgnored)
{
  TempLogFile folder;
  m_log.setSettings(1, folder.path() + "/missing/quilbar.log");
  m_monitors.m_nMonitors = 1;
  m_log.logEvent("Data Filtered");
  EXPECT_EQ(1u, m_monitors.m_rgstrTexts.size()) << "a lost line does not stop the event";
}

TEST_F(EventLogTest, NewLogFilenameLineIsWrittenToTheNewFile)
{
  EXPECT_TRUE(m_log.announceNewLogFilename(m_file.path()));
  EXPECT_EQ("2007-03-01 14:05:09.042 New log filename set.\r\n", m_file.contents());
}

TEST_F(EventLogTest, NewLogFilenameThatCannotBeCreatedIsRefused)
{
  EXPECT_FALSE(m_log.announceNewLogFilename(""));
  EXPECT_FALSE(m_log.announceNewLogFilename(m_file.path() + ".d/no/such/folder.log"));
  EXPECT_STREQ("Unable to create log file.", EventLog::kszUnableToCreateLogFile);
}

TEST_F(EventLogTest, WriteLogLineAppendsAndCreates)
{
  EXPECT_TRUE(writeLogLine(m_file.path(), "one\r\n"));
  EXPECT_TRUE(writeLogLine(m_file.path(), std::string("t\0o\r\n", 6)));
  EXPECT_EQ(std::string("one\r\nt\0o\r\n", 11), m_file.contents());
  EXPECT_FALSE(writeLogLine("", "x"));
}

// The main thread and the communication thread append to the same file without a lock; each
// line must come out whole.
TEST_F(EventLogTest, LinesOfTwoThreadsNeverInterleave)
{
  const int kLines = 2000;
  const std::string strLineA(100, 'a');
  const std::string strLineB(150, 'b');
  auto fnWrite = [&](const std::string& strLine) {
    for (int i = 0; i < kLines; ++i)
      writeLogLine(m_file.path(), strLine + "\r\n");
  };
  std::thread threadA(fnWrite, strLineA);
  std::thread threadB(fnWrite, strLineB);
  threadA.join();
  threadB.join();
  std::istringstream lines(m_file.contents());
  std::string strLine;
  int nA = 0, nB = 0, nBad = 0;
  while (std::getline(lines, strLine))
  {
    if (strLine == strLineA + "\r")
      ++nA;
    else if (strLine == strLineB + "\r")
      ++nB;
    else
      ++nBad;
  }
  EXPECT_EQ(kLines, nA);
  EXPECT_EQ(kLines, nB);
  EXPECT_EQ(0, nBad);
}
}  // namespace
