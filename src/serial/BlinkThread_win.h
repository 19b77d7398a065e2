#pragma once

#include "base/UniqueResource_win.h"

#include <windows.h>

#include <atomic>

class PortHost;

// Turns activity signals of the communication thread into WM_SETTRAYSTATE messages to the owner
// window, so that only the window's own thread touches the tray icon. Lives as long as the port.
class BlinkThread
{
public:
  BlinkThread(HWND hwndOwner, PortHost& host) : m_hwndOwner(hwndOwner), m_host(host) {}
  ~BlinkThread() { stop(); }
  BlinkThread(const BlinkThread&) = delete;
  BlinkThread& operator=(const BlinkThread&) = delete;

  // True when the thread runs (also when it already ran); failures are shown to the user.
  bool start();
  // Returns when the thread has acknowledged its end.
  void stop();
  bool isRunning() const { return static_cast<bool>(m_hBlinkThread); }

  // Safe from any thread at any time; without a running blink thread they do nothing.
  void signalData() { release(m_hsemBlinkShared, 1); }
  void signalSent() { release(m_hsemBlinkOutShared, 1); }
  void signalPin() { release(m_hsemBlinkPinShared, 2); }

private:
  static DWORD WINAPI threadMain(void* pvThis);
  void run();
  static void release(const std::atomic<HANDLE>& hsem, LONG nCount);

  HWND m_hwndOwner;
  PortHost& m_host;
  UniqueHandle m_hevtStopBlinkThread;
  UniqueHandle m_hevtBlinkThreadStopped;
  UniqueHandle m_hsemBlink;
  UniqueHandle m_hsemBlinkOut;
  UniqueHandle m_hsemBlinkPin;
  UniqueHandle m_hBlinkThread;
  // The semaphores as the communication thread sees them: published after they exist and
  // withdrawn before they are closed, so a signal never reaches a closed handle.
  std::atomic<HANDLE> m_hsemBlinkShared{nullptr};
  std::atomic<HANDLE> m_hsemBlinkOutShared{nullptr};
  std::atomic<HANDLE> m_hsemBlinkPinShared{nullptr};
};
