#pragma once

#include "DataStringCutter.h"
#include "HandOverQueue.h"
#include "SerialSettings.h"
#include "base/UniqueResource_win.h"

#include <windows.h>

#include <cstdio>
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

// The one thread that reads the open port: it polls the port, the modem lines, the replay file
// and its events about once a millisecond, feeds the data string cutter and hands finished data
// strings to the owner window.
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

  void requestClipboardSend() { SetEvent(m_hevtSendClipboard.get()); }
  // Called inside csExternalData after the text was stored.
  void signalExternalData() { SetEvent(m_hevtExternalData.get()); }
  HANDLE threadHandle() const { return m_hCommThread.get(); }

private:
  class Sink;

  static DWORD WINAPI threadMain(void* pvThis);
  void run();
  void pass(DataStringCutter& cutter);
  void takeExternalData(DataStringCutter& cutter);
  void sendClipboard();
  bool stopRequested(DWORD dwWaitMs) const;
  std::string readWaiting(DWORD cbWaiting);
  bool readChunk(char* pBuffer, DWORD cbWanted, DWORD& cbRead);
  ModemLines readModemLines();
  void replayStep(std::string& strBytes);
  void flushHandOvers();

  CommThreadContext m_context;
  UniqueHandle m_hevtStopCommThread;
  UniqueHandle m_hevtCommThreadStopped;
  UniqueHandle m_hevtSendClipboard;
  UniqueHandle m_hevtExternalData;
  UniqueHandle m_hCommThread;
  // Thread-side state.
  UniqueHandle m_hevtRead;
  ModemLines m_lastLinesRead;
  bool m_fPortFailing = false;
  FILE* m_pReplayFile = nullptr;
  bool m_fReplayOpenFailed = false;
};
