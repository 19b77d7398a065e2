#pragma once

#include "LogClock.h"

#include <cstdint>
#include <string>
#include <vector>

class MonitorSink;

// The event log: events of the program written to the profile's log file and handed to the
// monitor windows. Logged on the main thread, except raw input, which the communication thread
// logs; the settings change only while that thread is stopped.
class EventLog
{
public:
  static const char kszRawInputData[];
  // The Log page's refusal when the new file cannot be created or opened for appending.
  static const char kszUnableToCreateLogFile[];

  EventLog(LogClock& clock, MonitorSink* pMonitors);

  // From the running profile: Logging (only exactly 1 is on) and LogFilename.
  void setSettings(uint32_t dwLogging, const std::string& strLogFilename);
  void setMonitorSink(MonitorSink* pMonitors) { m_pMonitors = pMonitors; }

  // True when a monitor is registered or file logging is on; callers build details only then.
  bool isEventOutputWanted() const;

  void logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails = {});
  // For the communication thread, which must not touch the monitor list: the event goes to the
  // log file now (when file logging is on), and its monitor text, time stamp included, is returned
  // for the main thread to pass to sendToMonitors (empty for raw input, which monitors never get).
  std::string logEventFromOtherThread(const std::string& strEvent, const std::vector<std::string>& rgstrDetails = {});
  // A monitor text made by logEventFromOtherThread, to every registered monitor; main thread only.
  void sendToMonitors(const std::string& strMonitorText);
  // The bytes of a received data string as "41 42 0d", when file logging is on.
  void logRawInput(const std::string& strData);

  // The Log page's line in a newly chosen log file; false when the file cannot be written.
  bool announceNewLogFilename(const std::string& strFilename);

  static std::string formatTimestamp(const LocalTime& time);

private:
  void writeFileLines(const std::string& strTimestamp, const std::string& strEvent,
                      const std::vector<std::string>& rgstrDetails) const;
  static std::string monitorText(const std::string& strTimestamp, const std::string& strEvent,
                                 const std::vector<std::string>& rgstrDetails);
  bool isFileLoggingOn() const { return m_dwLogging == 1; }

  LogClock& m_clock;
  MonitorSink* m_pMonitors;
  uint32_t m_dwLogging = 0;
  std::string m_strLogFilename;
};
