#include "EventLog.h"

#include "LogFile.h"
#include "MonitorSink.h"
#include "serial/RawInputLine.h"

#include <cstdio>

const char EventLog::kszRawInputData[] = "RAW INPUT DATA";
const char EventLog::kszUnableToCreateLogFile[] = "Unable to create log file.";

EventLog::EventLog(LogClock& clock, MonitorSink* pMonitors) : m_clock(clock), m_pMonitors(pMonitors)
{
}

void EventLog::setSettings(uint32_t dwLogging, const std::string& strLogFilename)
{
  m_dwLogging = dwLogging;
  m_strLogFilename = strLogFilename;
}

bool EventLog::isEventOutputWanted() const
{
  return (m_pMonitors != nullptr && m_pMonitors->monitorCount() > 0) || isFileLoggingOn();
}

// Raw input is decided before the monitor list is looked at: the communication thread logs it,
// and the monitor list belongs to the main thread.
void EventLog::logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails)
{
  std::string strTimestamp = formatTimestamp(m_clock.localTime());
  if (isFileLoggingOn())
    writeFileLines(strTimestamp, strEvent, rgstrDetails);
  if (strEvent == kszRawInputData)
    return;
  if (m_pMonitors != nullptr && m_pMonitors->monitorCount() > 0)
    m_pMonitors->sendToMonitors(monitorText(strTimestamp, strEvent, rgstrDetails));
}

std::string EventLog::logEventFromOtherThread(const std::string& strEvent, const std::vector<std::string>& rgstrDetails)
{
  std::string strTimestamp = formatTimestamp(m_clock.localTime());
  if (isFileLoggingOn())
    writeFileLines(strTimestamp, strEvent, rgstrDetails);
  if (strEvent == kszRawInputData)
    return std::string();
  return monitorText(strTimestamp, strEvent, rgstrDetails);
}

void EventLog::sendToMonitors(const std::string& strMonitorText)
{
  if (!strMonitorText.empty() && m_pMonitors != nullptr && m_pMonitors->monitorCount() > 0)
    m_pMonitors->sendToMonitors(strMonitorText);
}

void EventLog::logRawInput(const std::string& strData)
{
  if (isFileLoggingOn())
    logEvent(kszRawInputData, {formatRawInput(strData)});
}

bool EventLog::announceNewLogFilename(const std::string& strFilename)
{
  return writeLogLine(strFilename, formatTimestamp(m_clock.localTime()) + " New log filename set.\r\n");
}

std::string EventLog::formatTimestamp(const LocalTime& time)
{
  char szTimestamp[80];
  std::snprintf(szTimestamp, sizeof(szTimestamp), "%04d-%02d-%02d %02d:%02d:%02d.%03d", time.nYear, time.nMonth,
                time.nDay, time.nHour, time.nMinute, time.nSecond, time.nMilliseconds);
  return szTimestamp;
}

// One append per line keeps each line whole when the other thread writes at the same moment.
void EventLog::writeFileLines(const std::string& strTimestamp, const std::string& strEvent,
                              const std::vector<std::string>& rgstrDetails) const
{
  if (rgstrDetails.empty())
  {
    writeLogLine(m_strLogFilename, strTimestamp + " " + strEvent + "\r\n");
    return;
  }
  for (const std::string& strDetail : rgstrDetails)
    writeLogLine(m_strLogFilename, strTimestamp + " " + strEvent + ": " + strDetail + "\r\n");
}

std::string EventLog::monitorText(const std::string& strTimestamp, const std::string& strEvent,
                                  const std::vector<std::string>& rgstrDetails)
{
  std::string strText = strEvent + "\nTime Stamp = " + strTimestamp;
  for (const std::string& strDetail : rgstrDetails)
    strText += "\n" + strDetail;
  return strText;
}
