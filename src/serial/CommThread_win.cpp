#include "CommThread_win.h"

#include "base/Assert.h"
#include "BlinkThread_win.h"
#include "DataStringSink.h"
#include "PortHost.h"
#include "PortMessages.h"
#include "PortWriter_win.h"
#include "RawInputLine.h"

#include <cstring>

namespace
{
const DWORD kcbReadChunk = 99;
const SIZE_T kcbWorkerStack = 0x2000;
const DWORD kdwPollMs = 1;
const DWORD kdwClipboardBytePauseMs = 2;
const DWORD kdwReplayTargetPauseMs = 2000;
// A read the driver does not finish at once is given this long before it is cancelled.
const DWORD kdwReadGraceMs = 50;

// Reads one line of any length; false at end of file. Line end characters are removed.
bool readReplayLine(FILE* pFile, std::string& strLine)
{
  strLine.clear();
  int c = 0;
  bool fAny = false;
  while ((c = std::fgetc(pFile)) != EOF)
  {
    fAny = true;
    if (c == '\n')
      break;
    strLine += static_cast<char>(c);
  }
  while (!strLine.empty() && (strLine.back() == '\r' || strLine.back() == '\n'))
    strLine.pop_back();
  return fAny;
}
}  // namespace

// The cutter's surroundings on this thread.
class CommThread::Sink : public DataStringSink
{
public:
  explicit Sink(CommThread& thread) : m_thread(thread) {}

  void handOver(const std::string& strDataString) override
  {
    m_thread.m_context.pQueue->push(strDataString);
    m_thread.flushHandOvers();
  }
  void logRawInput(const std::string& strRaw) override
  {
    m_thread.m_context.pHost->logRawInput(strRaw);
  }
  void dataActivity() override { m_thread.m_context.pBlink->signalData(); }
  void pinActivity() override { m_thread.m_context.pBlink->signalPin(); }
  void hideMainWindow() override
  {
    // Asynchronous: the window's thread may itself be waiting for this thread to stop, and a
    // synchronous ShowWindow across threads would then wait for ever.
    HWND hwnd = m_thread.m_context.hwndOwner;
    if (IsWindow(hwnd))
      ShowWindowAsync(hwnd, SW_HIDE);
  }

private:
  CommThread& m_thread;
};

CommThread::CommThread(CommThreadContext context) : m_context(std::move(context))
{
  QB_ASSERT(NULL != m_context.pHost);
  QB_ASSERT(NULL != m_context.pBlink);
  QB_ASSERT(NULL != m_context.pWriter);
  QB_ASSERT(NULL != m_context.pQueue);
  QB_ASSERT(NULL != m_context.pcsExternalData);
  QB_ASSERT(NULL != m_context.pstrExternalData);
}

bool CommThread::start()
{
  if (m_hCommThread)
    return true;
  m_hevtStopCommThread = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hevtCommThreadStopped = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hevtSendClipboard = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hevtExternalData = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hevtRead = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!m_hevtStopCommThread || !m_hevtCommThreadStopped || !m_hevtSendClipboard ||
      !m_hevtExternalData || !m_hevtRead)
  {
    stop();
    m_context.pHost->showError(kszFailedToCreateEvent);
    return false;
  }
  // The stack size is the committed size; the reservation stays the program's default, because
  // the replay step shows message boxes from this thread.
  m_hCommThread = UniqueHandle(
      CreateThread(nullptr, kcbWorkerStack, &CommThread::threadMain, this, 0, nullptr));
  if (!m_hCommThread)
  {
    stop();
    m_context.pHost->showError(kszFailedToCreateThread);
    return false;
  }
  return true;
}

void CommThread::stop()
{
  if (m_hCommThread)
  {
    SetEvent(m_hevtStopCommThread.get());
    if (WaitForSingleObject(m_hevtCommThreadStopped.get(), INFINITE) != WAIT_OBJECT_0)
      TerminateThread(m_hCommThread.get(), 0);
    else
      WaitForSingleObject(m_hCommThread.get(), INFINITE);
  }
  m_hevtStopCommThread.reset();
  m_hevtCommThreadStopped.reset();
  m_hevtSendClipboard.reset();
  m_hevtExternalData.reset();
  m_hevtRead.reset();
  m_hCommThread.reset();
}

DWORD WINAPI CommThread::threadMain(void* pvThis)
{
  static_cast<CommThread*>(pvThis)->run();
  return 0;
}

void CommThread::run()
{
  Sink sink(*this);
  DataStringCutter cutter(m_context.settings, sink);
  m_lastLinesRead = ModemLines();
  cutter.start(readModemLines(), GetTickCount());

  // Order is priority: stop, then the clipboard, then injected data.
  HANDLE rghEvents[] = {m_hevtStopCommThread.get(), m_hevtSendClipboard.get(),
                        m_hevtExternalData.get()};
  QB_ASSERT(NULL != rghEvents[0]);
  QB_ASSERT(NULL != rghEvents[1]);
  for (;;)
  {
    DWORD dwResult = WaitForMultipleObjects(3, rghEvents, FALSE, kdwPollMs);
    if (dwResult == WAIT_OBJECT_0)
      break;
    if (dwResult == WAIT_OBJECT_0 + 1)
    {
      sendClipboard();
      ResetEvent(m_hevtSendClipboard.get());
      m_context.pBlink->signalSent();
    }
    else if (dwResult == WAIT_OBJECT_0 + 2)
    {
      takeExternalData(cutter);
    }
    pass(cutter);
    flushHandOvers();
  }
  if (m_pReplayFile)
    std::fclose(m_pReplayFile);
  m_pReplayFile = nullptr;
  // Strings the window could not take yet stay in the owner's queue for whoever hands over next.
  flushHandOvers();
  SetEvent(m_hevtCommThreadStopped.get());
}

void CommThread::flushHandOvers()
{
  m_context.pQueue->flush(m_context.fnDeliver);
}

bool CommThread::stopRequested(DWORD dwWaitMs) const
{
  return WaitForSingleObject(m_hevtStopCommThread.get(), dwWaitMs) == WAIT_OBJECT_0;
}

void CommThread::takeExternalData(DataStringCutter& cutter)
{
  std::string strText;
  EnterCriticalSection(m_context.pcsExternalData);
  strText.swap(*m_context.pstrExternalData);
  ResetEvent(m_hevtExternalData.get());
  LeaveCriticalSection(m_context.pcsExternalData);
  cutter.injectText(strText, GetTickCount());
}

void CommThread::pass(DataStringCutter& cutter)
{
  COMSTAT comstat = {};
  DWORD dwErrors = 0;
  // Also clears a line error the driver reported, which would otherwise stop further reads. A
  // failing call is what an unplugged adapter looks like: reported once until the port answers.
  DWORD cbWaiting = 0;
  if (ClearCommError(m_context.hPort, &dwErrors, &comstat))
  {
    m_fPortFailing = false;
    cbWaiting = comstat.cbInQue;
  }
  else if (!m_fPortFailing)
  {
    m_fPortFailing = true;
    m_context.pHost->portFailed(GetLastError());
  }
  std::string strBytes;
  if (cbWaiting == 0)
    replayStep(strBytes);
  cutter.modemLines(readModemLines());
  if (cbWaiting > 0)
    strBytes = readWaiting(cbWaiting);
  if (strBytes.empty())
    cutter.idle(GetTickCount());
  else
    cutter.receiveBytes(strBytes.data(), strBytes.size(), GetTickCount());
}

std::string CommThread::readWaiting(DWORD cbWaiting)
{
  std::string strBytes;
  char rgchChunk[kcbReadChunk];
  while (cbWaiting > 0)
  {
    DWORD cbRead = 0;
    // A read that brings nothing although bytes were reported ends this pass; the next pass
    // asks the driver again, and a stop request is seen in between.
    if (!readChunk(rgchChunk, cbWaiting < kcbReadChunk ? cbWaiting : kcbReadChunk, cbRead) ||
        cbRead == 0)
      break;
    strBytes.append(rgchChunk, cbRead);
    cbWaiting -= cbRead < cbWaiting ? cbRead : cbWaiting;
    // The driver may hold up to 60000 bytes; a stop need not wait for all of them.
    if (stopRequested(0))
      break;
  }
  return strBytes;
}

bool CommThread::readChunk(char* pBuffer, DWORD cbWanted, DWORD& cbRead)
{
  OVERLAPPED ovRead = {};
  ovRead.hEvent = m_hevtRead.get();
  ResetEvent(ovRead.hEvent);
  cbRead = 0;
  if (ReadFile(m_context.hPort, pBuffer, cbWanted, &cbRead, &ovRead))
    return true;
  if (GetLastError() != ERROR_IO_PENDING)
    return false;
  if (WaitForSingleObject(ovRead.hEvent, kdwReadGraceMs) != WAIT_OBJECT_0)
    CancelIo(m_context.hPort);
  return GetOverlappedResult(m_context.hPort, &ovRead, &cbRead, TRUE) != FALSE;
}

ModemLines CommThread::readModemLines()
{
  DWORD dwStatus = 0;
  // Without an answer the lines count as unchanged, so no pin event is invented.
  if (!GetCommModemStatus(m_context.hPort, &dwStatus))
    return m_lastLinesRead;
  m_lastLinesRead.fCTS = (dwStatus & MS_CTS_ON) != 0;
  m_lastLinesRead.fDSR = (dwStatus & MS_DSR_ON) != 0;
  m_lastLinesRead.fRI = (dwStatus & MS_RING_ON) != 0;
  m_lastLinesRead.fDCD = (dwStatus & MS_RLSD_ON) != 0;
  return m_lastLinesRead;
}

void CommThread::replayStep(std::string& strBytes)
{
  const char* pszFile = m_context.strReplayFile.c_str();
  if (!m_pReplayFile)
  {
    if (m_fReplayOpenFailed || GetFileAttributesA(pszFile) == INVALID_FILE_ATTRIBUTES)
      return;
    m_pReplayFile = std::fopen(pszFile, "rb");
    if (!m_pReplayFile)
    {
      // Once per run: the file stays where it is, and a box every millisecond helps nobody.
      m_fReplayOpenFailed = true;
      m_context.pHost->showNotice(kszReplayOpenFailed);
      return;
    }
    m_context.pHost->showNotice(kszReplaySelectTarget);
    stopRequested(kdwReplayTargetPauseMs);
    return;
  }
  std::string strLine;
  if (!readReplayLine(m_pReplayFile, strLine))
  {
    // Replayed once: the file goes when it has been read to its end.
    std::fclose(m_pReplayFile);
    m_pReplayFile = nullptr;
    DeleteFileA(pszFile);
    return;
  }
  parseReplayLine(strLine, strBytes);
}

void CommThread::sendClipboard()
{
  if (!OpenClipboard(nullptr))
    return;
  std::string strBytes;
  bool fFound = false;
  bool fText = true;
  HANDLE hData = GetClipboardData(CF_TEXT);
  if (!hData)
  {
    fText = false;
    UINT uBinary = RegisterClipboardFormatA("QuilbarBinary");
    hData = uBinary ? GetClipboardData(uBinary) : nullptr;
  }
  if (hData)
  {
    const char* pData = static_cast<const char*>(GlobalLock(hData));
    if (pData)
    {
      SIZE_T cbData = GlobalSize(hData);
      // Text ends at its zero byte; what the block holds beyond it is not part of the text.
      if (fText)
      {
        const void* pvZero = std::memchr(pData, 0, cbData);
        if (pvZero)
          cbData = static_cast<SIZE_T>(static_cast<const char*>(pvZero) - pData);
      }
      strBytes.assign(pData, cbData);
      GlobalUnlock(hData);
      fFound = true;
    }
  }
  bool fComplete = true;
  for (char c : strBytes)
  {
    m_context.pWriter->write(m_context.hPort, std::string(1, c));
    // The pause between bytes is where a stop request gets in, however long the clipboard.
    if (stopRequested(kdwClipboardBytePauseMs))
    {
      fComplete = false;
      break;
    }
  }
  if (fFound && fComplete)
    EmptyClipboard();
  CloseClipboard();
}
