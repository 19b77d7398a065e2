#include "PortOwner_win.h"

#include "base/Assert.h"
#include "PortHost.h"
#include "PortMessages.h"
#include "PortParameters.h"
#include "SerialMessages_win.h"
#include "TrayTip.h"
#include "base/DataConv.h"
#include "base/UniqueResource_win.h"

#include <cstdio>
#include <cstring>

const char* const kszReplayFile = "C:\\TEMP\\QUILBARLOGREPLAY.TXT";

namespace
{
const DWORD kcbInputQueue = 60000;
const DWORD kcbOutputQueue = 2048;
// Injected text waiting for the communication thread, which takes it within a millisecond unless
// something holds it up (a replay notice nobody answers): four of the largest injections (1 MiB
// each).
const size_t kcbMaxWaitingExternalData = 4 * 1024 * 1024;
}  // namespace

// The cutter's surroundings while no port is open: injected text is handed over from the
// window's own thread; there is no blink thread to signal.
class PortOwner::OfflineSink : public DataStringSink
{
public:
  explicit OfflineSink(PortOwner& owner) : m_owner(owner) {}
  void handOver(const std::string& strDataString) override
  {
    m_owner.m_queue.push(strDataString);
    m_owner.flushHandOvers();
  }
  void logRawInput(const std::string& strRaw) override { m_owner.m_host.logRawInput(strRaw); }
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override
  {
    if (IsWindow(m_owner.m_hwndOwner))
      ShowWindowAsync(m_owner.m_hwndOwner, SW_HIDE);
  }
  void cutAtLengthLimit(size_t nLength) override
  {
    m_owner.m_host.logEvent(kszEventDataStringTooLong, {"Length = " + std::to_string(nLength),
                                                        "What had arrived was passed on as one data string."});
  }

private:
  PortOwner& m_owner;
};

PortOwner::PortOwner(HWND hwndOwner, PortHost& host)
  : m_hwndOwner(hwndOwner), m_host(host), m_strReplayFile(kszReplayFile),
    m_blinkThread(hwndOwner, host)
{
  InitializeCriticalSection(&m_csExternalData);
  m_fnDeliver = [hwndOwner](const std::string& str) { return PostDataString(hwndOwner, str); };
}

// Strings handed over but not yet taken by the window (their messages die with it) and strings
// still queued for a hand-over go to the event log: the last chance to keep them.
PortOwner::~PortOwner()
{
  ClosePort();
  for (const std::string& strDataString : takeAllDataStrings(m_hwndOwner))
    m_queue.push(strDataString);
  logUndelivered();
  DeleteCriticalSection(&m_csExternalData);
}

void PortOwner::runSelfTest()
{
  checkPortConversions();
  UniqueHandle h(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  h.reset();
  QB_ASSERT(!h);
}

HANDLE PortOwner::commThreadHandle() const
{
  return m_pCommThread ? m_pCommThread->threadHandle() : nullptr;
}

void PortOwner::flushHandOvers()
{
  m_queue.flush(m_fnDeliver);
}

// The last resort for strings nobody can take any more: each goes to the event log, in the
// notation, rather than nowhere.
void PortOwner::logUndelivered()
{
  while (!m_queue.empty())
  {
    m_queue.flush([this](const std::string& strDataString) {
      m_host.logEvent(kszEventDataStringNotDelivered, {"Data = " + DataConv::render(strDataString)});
      return true;
    });
  }
}

void applyLineSettings(DCB& dcb, const SerialSettings& settings)
{
  dcb.BaudRate = ConvertSpeed(settings.strSpeed.c_str());
  dcb.ByteSize = ConvertData(settings.strData.c_str());
  dcb.Parity = ConvertParity(settings.strParity.c_str());
  dcb.StopBits = ConvertStop(settings.strStop.c_str());
  dcb.fBinary = TRUE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fNull = FALSE;  // zero bytes are data ("[NULL]")
  // A line error must not end the waiting read: it is counted from the driver's state instead.
  dcb.fAbortOnError = FALSE;
  dcb.fDtrControl = settings.fDTR ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  dcb.fRtsControl = settings.fRTS ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  dcb.XonLim = 15000;
  dcb.XoffLim = 128;
  dcb.EofChar = 0;
  dcb.EvtChar = 0;
}

bool PortOwner::configurePort(HANDLE hPort) const
{
  if (!SetupComm(hPort, kcbInputQueue, kcbOutputQueue))
    return false;
  // No comm events: the communication thread waits on a read instead (WaitCommEvent under Wine
  // polls, or gives up at once on a pseudo-terminal).
  if (!SetCommMask(hPort, 0))
    return false;
  // No time-outs: a read waits until the bytes it asks for have come. The communication thread
  // keeps a one-byte read waiting and reads the rest by the count the driver reports. A driver
  // that refuses these time-outs is a device problem reported like other settings, not a reason
  // to end the program.
  COMMTIMEOUTS commtimeouts = {0, 0, 0, 0, 0};
  if (!SetCommTimeouts(hPort, &commtimeouts))
    return false;
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(hPort, &dcb))
    return false;
  applyLineSettings(dcb, m_settings);
  return SetCommState(hPort, &dcb) != FALSE;
}

bool PortOwner::OpenPort(const QuilbarProfile& profile)
{
  ClosePort();
  m_runningProfile = profile;
  m_settings = serialSettingsOf(profile);
  m_fHaveSettings = true;
  int nPort = ConvertPort(m_settings.strPort.c_str());
  if (nPort == 0)
    return false;
  if (!canEndDataStrings(m_settings))
  {
    // Refused rather than opened: no data string would ever end, every scan would pile up.
    std::string strText = formatNoTerminatorMessage(m_settings.strDataStringTerminator);
    m_host.showTrayFailed(cutTrayTip(strText));
    m_host.showError(strText);
    return false;
  }
  char szDevice[32];
  std::snprintf(szDevice, sizeof szDevice, "\\\\.\\COM%d", nPort);
  UniqueFileHandle hPort(CreateFileA(szDevice, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OVERLAPPED, nullptr));
  if (!hPort)
  {
    ReportPortError(kIdsPortOpenFailed);
    return false;
  }
  if (!configurePort(hPort.get()))
  {
    hPort.reset();
    ReportPortError(kIdsPortSettingsFailed);
    return false;
  }
  // Input from before this opening is stale. It is discarded here rather than by the starting
  // thread, which could otherwise also discard the device's first bytes after the open, such as
  // its answer to the initialisation string.
  PurgeComm(hPort.get(), PURGE_RXCLEAR);
  m_nComPortHandle = std::move(hPort);
  if (!StartCommThread())
  {
    m_nComPortHandle.reset();
    ReportPortError(kIdsPortOpenFailed);
    return false;
  }
  m_blinkThread.start();
  m_host.showTrayIdle(buildTrayTip(&m_settings));
  sendInitString();
  return true;
}

bool PortOwner::StartCommThread()
{
  if (!isOpen())
    return false;
  if (m_pCommThread && m_pCommThread->isRunning())
    return true;
  // Injected text that waited for a port joins the new thread's input first.
  if (m_pOfflineCutter)
  {
    std::string strRest = m_pOfflineCutter->takeExternalBuffer();
    m_pOfflineCutter.reset();
    m_pOfflineSink.reset();
    EnterCriticalSection(&m_csExternalData);
    m_strExternalData.insert(0, strRest);
    LeaveCriticalSection(&m_csExternalData);
  }
  CommThreadContext context;
  context.hPort = m_nComPortHandle.get();
  context.hwndOwner = m_hwndOwner;
  context.settings = m_settings;
  context.pHost = &m_host;
  context.pBlink = &m_blinkThread;
  context.pWriter = &m_writer;
  context.pQueue = &m_queue;
  context.fnDeliver = m_fnDeliver;
  context.pcsExternalData = &m_csExternalData;
  context.pstrExternalData = &m_strExternalData;
  context.strReplayFile = m_strReplayFile;
  m_pCommThread = std::make_unique<CommThread>(std::move(context));
  if (!m_pCommThread->start())
  {
    m_pCommThread.reset();
    return false;
  }
  EnterCriticalSection(&m_csExternalData);
  if (!m_strExternalData.empty())
    m_pCommThread->signalExternalData();
  LeaveCriticalSection(&m_csExternalData);
  return true;
}

void PortOwner::StopCommThread()
{
  if (m_pCommThread)
    m_pCommThread->stop();
  m_pCommThread.reset();
}

// Strings the window could not take stay queued for the next hand-over (the next opening, or
// injected text); when the window is gone there is none, and they go to the event log.
void PortOwner::ClosePort()
{
  StopCommThread();
  m_blinkThread.stop();
  m_nComPortHandle.reset();
  flushHandOvers();
  if (!IsWindow(m_hwndOwner))
    logUndelivered();
}

void PortOwner::ReportPortError(int nId)
{
  std::string strText = formatPortError(nId, m_settings.strPort);
  m_host.showTrayFailed(cutTrayTip(strText));
  m_host.showError(strText);
}

// The clipboard is copied here, when the send is asked for: a SendData("A") followed by a
// SendData("B") then sends A and B, where a later look at the clipboard would find only B.
void PortOwner::SendClipboardContents()
{
  if (isOpen() && m_pCommThread)
    m_pCommThread->requestClipboardSend(copyClipboardContents());
}

void PortOwner::sendInitString()
{
  if (!isOpen())
    return;
  m_writer.write(m_nComPortHandle.get(), m_runningProfile.getInitStringBytes());
}

bool PortOwner::takeExternalData(const char* pszText)
{
  QB_ASSERT(NULL != pszText);
  if (m_pCommThread && m_pCommThread->isRunning())
  {
    EnterCriticalSection(&m_csExternalData);
    // Appended, not replaced: a second text arriving before the thread took the first must not
    // overwrite it.
    bool fTaken = appendExternalData(pszText);
    if (fTaken)
      m_pCommThread->signalExternalData();
    LeaveCriticalSection(&m_csExternalData);
    return fTaken;
  }
  if (!m_fHaveSettings)
  {
    // No profile has been used yet: the text waits for the first port start.
    return appendExternalData(pszText);
  }
  if (!m_pOfflineCutter)
  {
    m_pOfflineSink = std::make_unique<OfflineSink>(*this);
    m_pOfflineCutter = std::make_unique<DataStringCutter>(m_settings, *m_pOfflineSink);
    m_pOfflineCutter->start(ModemLines(), GetTickCount());
  }
  // Strings that could not be handed over earlier go first.
  flushHandOvers();
  std::string strText = m_strExternalData + pszText;
  m_strExternalData.clear();
  DWORD dwNow = GetTickCount();
  m_pOfflineCutter->injectText(strText, dwNow);
  // No port byte can join injected text while no port is open, so the pause that ends a data
  // string in time-out mode has as good as happened.
  m_pOfflineCutter->idle(dwNow + m_settings.dwTerminationTimeout);
  return true;
}

// Bounded: text that would make the waiting text longer than the bound is refused and logged, so
// a program that injects faster than the text is taken cannot exhaust memory.
bool PortOwner::appendExternalData(const char* pszText)
{
  size_t cbText = std::strlen(pszText);
  if (m_strExternalData.size() + cbText > kcbMaxWaitingExternalData)
  {
    m_host.logEvent(kszEventInjectedDataRefused,
                    {"Reason = " + std::to_string(m_strExternalData.size())
                     + " bytes of injected data are still waiting to be taken"});
    return false;
  }
  m_strExternalData += pszText;
  return true;
}
