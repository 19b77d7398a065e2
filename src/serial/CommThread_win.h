#pragma once

#include "ClipboardContents_win.h"
#include "DataStringCutter.h"
#include "HandOverQueue.h"
#include "LineErrorTally.h"
#include "ReplayFile_win.h"
#include "SerialSettings.h"
#include "WaitingRead_win.h"
#include "base/UniqueResource_win.h"

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>

class BlinkThread;
class PortHost;
class PortWriter;

// Everything the communication thread works with; the port owner keeps it all alive until the
// thread has confirmed its end.
struct CommThreadContext
{
  HANDLE hPort = INVALID_HANDLE_VALUE;
  HWND hwndOwner = nullptr;
  SerialSettings settings;  // the running profile, fixed while the thread runs
  PortHost* pHost = nullptr;
  BlinkThread* pBlink = nullptr;
  PortWriter* pWriter = nullptr;
  HandOverQueue* pQueue = nullptr;
  HandOverQueue::Deliver fnDeliver;
  CRITICAL_SECTION* pcsExternalData = nullptr;
  std::string* pstrExternalData = nullptr;
  std::string strReplayFile;
};

// The one thread that reads the open port: it sleeps in one wait for its events and a read kept
// waiting on the port, with the nearest deadline it has as the time-out (a data string's pause,
// the next look for a replay file every second), feeds the data string cutter and hands
// finished data strings to the owner window. The modem lines are polled every millisecond, and
// only while the profile wants a pin event. It also writes clipboard contents out of the port,
// reading the port between the bytes.
class CommThread
{
public:
  explicit CommThread(CommThreadContext context);
  ~CommThread() { stop(); }
  CommThread(const CommThread&) = delete;
  CommThread& operator=(const CommThread&) = delete;

  // False with the failure shown to the user ("Failed to create event."/"... thread.").
  bool start();
  // Returns once the thread has confirmed its end; a stop is honoured within milliseconds.
  void stop();
  bool isRunning() const { return static_cast<bool>(m_hCommThread); }

  // Queues clipboard contents to be sent out of the port. Requests are sent one after another in
  // the order they came, none is lost to a later one.
  void requestClipboardSend(ClipboardContents contents);
  // Called inside csExternalData after the text was stored.
  void signalExternalData() { SetEvent(m_hevtExternalData.get()); }
  HANDLE threadHandle() const { return m_hCommThread.get(); }

private:
  class Sink;

  static DWORD WINAPI threadMain(void* pvThis);
  void run();
  void pass(DataStringCutter& cutter);
  DWORD nextWaitMs(const DataStringCutter& cutter);
  void takeWaitingRead(std::string& strBytes);
  void startWaitingRead();
  void reportLineErrors(DWORD dwNow);
  void takeExternalData(DataStringCutter& cutter);
  void sendClipboardRequests(DataStringCutter& cutter);
  bool sendClipboard(const ClipboardContents& contents, DataStringCutter& cutter);
  bool stopRequested(DWORD dwWaitMs) const;
  DWORD waitingBytes();
  bool readChunk(char* pBuffer, DWORD cbWanted, DWORD& cbRead);
  ModemLines readModemLines();
  void flushHandOvers();

  CommThreadContext m_context;
  UniqueHandle m_hevtStopCommThread;
  UniqueHandle m_hevtCommThreadStopped;
  UniqueHandle m_hevtSendClipboard;
  UniqueHandle m_hevtExternalData;
  UniqueHandle m_hCommThread;
  std::mutex m_mutexClipboardRequests;
  std::deque<ClipboardContents> m_rgClipboardRequests;
  // Thread-side state.
  UniqueHandle m_hevtRead;
  WaitingRead m_waitingRead;
  // The waiting read is not issued again in a pass that took bytes (more are likely to follow) or
  // whose read ended without a byte (a port that ends every read at once is polled every
  // millisecond instead of spinning).
  bool m_fRestWaitingRead = false;
  bool m_fWatchLines = false;
  ModemLines m_lastLinesRead;
  bool m_fPortFailing = false;
  LineErrorTally m_lineErrors;
  ReplayFile m_replay;
};
