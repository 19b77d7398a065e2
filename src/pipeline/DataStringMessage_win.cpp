#include "DataStringMessage_win.h"

#include "DataStringPipeline.h"
#include "EventLog.h"
#include "serial/SerialMessages_win.h"

#include <cstdio>
#include <string>
#include <vector>

std::vector<std::string> takeDataStringMessage(HWND hwnd, LPARAM lParam, EventLog& log)
{
  std::vector<std::string> rgstrDataStrings;
  if (!takeDataStrings(hwnd, lParam, rgstrDataStrings) && log.isEventOutputWanted())
  {
    char szDetail[64];
    std::snprintf(szDetail, sizeof szDetail, "lParam = 0x%llx",
                  static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)));
    log.logEvent("Data String Message Refused", {szDetail});
  }
  return rgstrDataStrings;
}

void handleDataStringMessage(HWND hwnd, LPARAM lParam, DataStringPipeline& pipeline, EventLog& log)
{
  for (const std::string& strDataString : takeDataStringMessage(hwnd, lParam, log))
    pipeline.processInputString(strDataString.c_str());
}
