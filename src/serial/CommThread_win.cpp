#include "CommThread_win.h"

#include "base/Assert.h"
#include "BlinkThread_win.h"
#include "DataStringSink.h"
#include "PortHost.h"
#include "PortMessages.h"
#include "ChunkedRead.h"
#include "NextWake.h"
#include "PortWriter_win.h"
#include "base/SystemError_win.h"

#include <cstring>

namespace
{
// What waits is read in few calls: each read is a request to the driver (under Wine, to its
// server), and a burst of many thousand bytes in reads of a few dozen costs more than the cutting.
const DWORD kcbReadChunk = 4096;
const SIZE_T kcbWorkerStack = 0x2000;
// The polls that remain: the modem lines while a pin event is wanted, strings the window's queue
// refused, a port that keeps no read waiting.
const DWORD kdwPollMs = 1;
const DWORD kdwClipboardBytePauseMs = 2;
// A read the driver does not finish at once is given this long before it is cancelled.
const DWORD kdwReadGraceMs = 50;
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
  void cutAtLengthLimit(size_t nLength) override
  {
    m_thread.m_context.pHost->logEvent(kszEventDataStringTooLong,
                                       {"Length = " + std::to_string(nLength),
                                        "What had arrived was passed on as one data string."});
  }

private:
  CommThread& m_thread;
};

namespace
{
PortHost& hostOf(const CommThreadContext& context)
{
  QB_ASSERT(NULL != context.pHost);
  return *context.pHost;
}
}  // namespace

CommThread::CommThread(CommThreadContext context)
  : m_context(std::move(context)),
    m_replay(m_context.strReplayFile, hostOf(m_context), [this](DWORD dwMs) { return stopRequested(dwMs); })
{
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
      !m_hevtExternalData || !m_hevtRead || !m_waitingRead.create())
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

void CommThread::requestClipboardSend(ClipboardContents contents)
{
  {
    std::lock_guard<std::mutex> lock(m_mutexClipboardRequests);
    m_rgClipboardRequests.push_back(std::move(contents));
  }
  SetEvent(m_hevtSendClipboard.get());
}

namespace
{
bool wantsPinEvents(const SerialSettings& s)
{
  return s.fCTSHigh || s.fCTSLow || s.fDSRHigh || s.fDSRLow || s.fRIHigh || s.fRILow || s.fDCDHigh || s.fDCDLow;
}
}  // namespace

void CommThread::run()
{
  Sink sink(*this);
  DataStringCutter cutter(m_context.settings, sink);
  m_lastLinesRead = ModemLines();
  // Without a pin event the lines' levels lead nowhere; a driver that cannot report them at all
  // (Wine's pseudo-terminals) is not asked every millisecond either.
  DWORD dwStatus = 0;
  m_fWatchLines = wantsPinEvents(m_context.settings) &&
                  (GetCommModemStatus(m_context.hPort, &dwStatus) || GetLastError() != ERROR_NOT_SUPPORTED);
  cutter.start(m_fWatchLines ? readModemLines() : ModemLines(), GetTickCount());

  // Order is priority: stop, then the clipboard, then injected data, then the port.
  HANDLE rghEvents[] = {m_hevtStopCommThread.get(), m_hevtSendClipboard.get(),
                        m_hevtExternalData.get(), m_waitingRead.event()};
  QB_ASSERT(NULL != rghEvents[0]);
  QB_ASSERT(NULL != rghEvents[1]);
  pass(cutter);
  for (;;)
  {
    DWORD dwResult = WaitForMultipleObjects(4, rghEvents, FALSE, nextWaitMs(cutter));
    if (dwResult == WAIT_OBJECT_0)
      break;
    if (dwResult == WAIT_OBJECT_0 + 1)
      sendClipboardRequests(cutter);
    else if (dwResult == WAIT_OBJECT_0 + 2)
      takeExternalData(cutter);
    m_fRestWaitingRead = false;
    pass(cutter);
    flushHandOvers();
  }
  m_waitingRead.cancel();
  m_replay.close();
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

// A failing status call is what an unplugged adapter looks like; it is reported once until the
// port answers again, and the pass goes on as one without bytes.
DWORD CommThread::waitingBytes()
{
  COMSTAT comstat = {};
  DWORD dwErrors = 0;
  // Also clears a line error the driver reported, which would otherwise stop further reads.
  if (ClearCommError(m_context.hPort, &dwErrors, &comstat))
  {
    m_fPortFailing = false;
    DWORD dwNow = GetTickCount();
    m_lineErrors.note(dwErrors, dwNow);
    reportLineErrors(dwNow);
    return comstat.cbInQue;
  }
  DWORD dwError = GetLastError();
  if (!m_fPortFailing)
  {
    m_fPortFailing = true;
    m_context.pHost->logEvent(kszEventSerialPortError, {"ClearCommError failed: " + systemErrorText(dwError)});
    m_context.pHost->portFailed(dwError);
  }
  return 0;
}

static_assert(LineErrorTally::kFraming == CE_FRAME && LineErrorTally::kParity == CE_RXPARITY &&
                  LineErrorTally::kOverrun == CE_OVERRUN && LineErrorTally::kBufferOverflow == CE_RXOVER,
              "the tally reads the driver's error bits");

void CommThread::reportLineErrors(DWORD dwNow)
{
  if (!m_lineErrors.due(dwNow))
    return;
  const SerialSettings& s = m_context.settings;
  std::vector<std::string> rgstrDetails = m_lineErrors.takeReport(dwNow);
  rgstrDetails.insert(rgstrDetails.begin(), "Port = " + s.strPort + "," + s.strSpeed + "," + s.strData + ","
                                                + s.strParity + "," + s.strStop);
  m_context.pHost->logEvent(kszEventSerialLineErrors, rgstrDetails);
}

DWORD CommThread::nextWaitMs(const DataStringCutter& cutter)
{
  DWORD dwNow = GetTickCount();
  NextWake wake(dwNow);
  uint32_t dwDue = 0;
  if (cutter.pauseDeadline(dwDue))
    wake.at(dwDue);
  if (m_lineErrors.pending(dwDue))
    wake.at(dwDue);
  // Also the slow look at a port whose read cannot wait, which finds it answering again.
  wake.at(m_replay.nextStepDue(dwNow));
  if (m_fWatchLines || !m_context.pQueue->empty() || !m_waitingRead.isWaiting())
    wake.within(kdwPollMs);
  return wake.waitMs();
}

void CommThread::takeWaitingRead(std::string& strBytes)
{
  DWORD dwError = ERROR_SUCCESS;
  if (m_waitingRead.take(strBytes, dwError) == WaitingRead::Outcome::kFailed)
    m_fRestWaitingRead = true;
}

// Not while the port fails to answer: a hung-up port ends every read at once.
void CommThread::startWaitingRead()
{
  if (m_fRestWaitingRead || m_fPortFailing || m_waitingRead.isWaiting())
    return;
  if (!m_waitingRead.start(m_context.hPort))
    m_fRestWaitingRead = true;
}

// The byte of the waiting read comes first; the bytes counted after it are read by count only
// once no read is waiting, since a read still out would take the next byte out of order.
void CommThread::pass(DataStringCutter& cutter)
{
  std::string strBytes;
  takeWaitingRead(strBytes);
  DWORD cbWaiting = waitingBytes();
  if (m_waitingRead.isWaiting())
    cbWaiting = 0;
  bool fFromPort = !strBytes.empty() || cbWaiting > 0;
  if (cbWaiting == 0 && strBytes.empty())
    m_replay.step(strBytes, GetTickCount());
  if (m_fWatchLines)
    cutter.modemLines(readModemLines());
  if (cbWaiting > 0)
  {
    std::string strFirst = strBytes;
    strBytes = readInChunks(
        cbWaiting, kcbReadChunk,
        [this](char* pBuffer, uint32_t cbWanted, uint32_t& cbRead) {
          DWORD dwRead = 0;
          bool fOk = readChunk(pBuffer, cbWanted, dwRead);
          cbRead = dwRead;
          return fOk;
        },
        [this] { return stopRequested(0); });
    strBytes.insert(0, strFirst);
  }
  // While bytes flow the thread polls every millisecond and takes what came meanwhile at once, as
  // a wake-up per piece of a burst costs more than it gains; the read waits again once a pass
  // finds the line quiet.
  if (fFromPort)
    m_fRestWaitingRead = true;
  if (strBytes.empty())
    cutter.idle(GetTickCount());
  else
    cutter.receiveBytes(strBytes.data(), strBytes.size(), GetTickCount());
  startWaitingRead();
}

// cbRead holds what arrived also when the read failed: a read cancelled after its grace time
// reports failure, but the bytes it brought are in the buffer.
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

// The event is cleared before the queue is looked at, so a request that comes during a send sets
// it again and is sent after. Every request blinks once, also one that found nothing to send.
void CommThread::sendClipboardRequests(DataStringCutter& cutter)
{
  ResetEvent(m_hevtSendClipboard.get());
  for (;;)
  {
    ClipboardContents contents;
    {
      std::lock_guard<std::mutex> lock(m_mutexClipboardRequests);
      if (m_rgClipboardRequests.empty())
        return;
      contents = std::move(m_rgClipboardRequests.front());
      m_rgClipboardRequests.pop_front();
    }
    bool fComplete = sendClipboard(contents, cutter);
    m_context.pBlink->signalSent();
    if (!fComplete)
      return;
  }
}

// One byte per write with a pause after each; the port is read in the pauses, so a long send
// neither holds up arriving scans nor a stop request. The clipboard is emptied only when every
// byte went out, and only if it still holds what was sent. False when the send was cut short.
bool CommThread::sendClipboard(const ClipboardContents& contents, DataStringCutter& cutter)
{
  for (size_t i = 0; i < contents.strBytes.size(); ++i)
  {
    DWORD dwError = ERROR_SUCCESS;
    if (!m_context.pWriter->write(m_context.hPort, contents.strBytes.substr(i, 1), &dwError))
    {
      m_context.pHost->logEvent(kszEventClipboardNotSent,
                                {"Bytes Sent = " + std::to_string(i) + " of " + std::to_string(contents.strBytes.size()),
                                 "Error = " + systemErrorText(dwError)});
      return true;
    }
    if (stopRequested(kdwClipboardBytePauseMs))
      return false;
    pass(cutter);
    flushHandOvers();
  }
  if (contents.fFound)
    emptyClipboardIfUnchanged(contents.dwSequence);
  return true;
}
