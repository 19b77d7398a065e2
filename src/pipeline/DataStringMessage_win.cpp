#include "DataStringMessage_win.h"

#include "DataStringPipeline.h"
#include "EventLog.h"
#include "serial/SerialMessages_win.h"

#include <cstdio>
#include <string>
#include <vector>

void handleDataStringMessage(HWND hwnd, LPARAM lParam, DataStringPipeline& pipeline, EventLog& log)
{
  std::vector<std::string> rgstrDataStrings;
  if (!takeDataStrings(hwnd, lParam, rgstrDataStrings))
  {
    if (log.isEventOutputWanted())
    {
      char szDetail[64];
      std::snprintf(szDetail, sizeof szDetail, "lParam = 0x%llx",
                    static_cast<unsigned long long>(static_cast<ULONG_PTR>(lParam)));
      log.logEvent("Data String Message Refused", {szDetail});
    }
    return;
  }
  for (const std::string& strDataString : rgstrDataStrings)
    pipeline.processInputString(strDataString.c_str());
}
