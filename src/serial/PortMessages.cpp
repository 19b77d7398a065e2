#include "PortMessages.h"

#include "base/Assert.h"

const char* const kszFailedToCreateEvent = "Failed to create event.";
const char* const kszFailedToCreateThread = "Failed to create thread.";
const char* const kszReplayOpenFailed = "Unable to open replay log file.";
const char* const kszReplaySelectTarget = "Select app to receive simulated data and click OK.";
const char* const kszReplayCaption = "Quilbar";

const char* const kszEventDataStringTooLong = "Data String Too Long";
const char* const kszEventInjectedDataRefused = "Injected Data Refused";
const char* const kszEventReplayFileNotRemoved = "Replay File Not Removed";
const char* const kszEventSerialPortError = "Serial Port Error";
const char* const kszEventDataStringNotDelivered = "Data String Not Delivered";
const char* const kszEventClipboardNotSent = "Clipboard Not Sent";

namespace
{
const char* resourceText(int nId)
{
  switch (nId)
  {
    case kIdsPortOpenFailed:
      return "Failed to open serial port %1. If this is a com port that exist on this PC, another "
             "application has the port opened (like for example HyperTerminal or ActiveSync). It "
             "may also be the case that there is a printer driver installed on the com port.";
    case kIdsPortSettingsFailed:
      return "The serial port %1 could be opened but settings (speed, data, stop, parity) could "
             "not be applied.";
    default:
      return nullptr;
  }
}
}  // namespace

std::string formatPortError(int nId, const std::string& strPort)
{
  const char* pszText = resourceText(nId);
  QB_ASSERT(NULL != pszText);
  std::string strText = pszText;
  size_t nPos = strText.find("%1");
  if (nPos != std::string::npos)
    strText.replace(nPos, 2, strPort);
  return strText;
}

std::string formatNoTerminatorMessage(const std::string& strDataStringTerminator)
{
  return "The data string terminator \"" + strDataStringTerminator
         + "\" holds no terminator that can be received, so no data string would ever end. Choose a "
           "terminator, or end data strings by time-out.";
}
