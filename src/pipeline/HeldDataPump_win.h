#pragma once

#include "keyboard/ForegroundWatcher_win.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class LockedOutputHold;

// Drives the hold for a locked window from the system, on the main window's thread: foreground
// changes from a WinEvent hook, the next time limit from a thread timer armed for exactly that
// moment. Every data string from the port comes in through submit.
class HeldDataPump
{
public:
  explicit HeldDataPump(LockedOutputHold& hold);
  ~HeldDataPump();
  HeldDataPump(const HeldDataPump&) = delete;
  HeldDataPump& operator=(const HeldDataPump&) = delete;

  // The running profile's lock and hold, whenever the port starts.
  void setSettings(bool fLockOutputWindow, const std::vector<std::string>& rgstrTitles, bool fHold,
                   uint32_t dwTimeLimitSeconds);
  // A data string from the port (instead of handing it to the pipeline directly).
  void submit(const std::string& strData);
  bool isWatching() const { return m_watcher.isWatching(); }

private:
  static void CALLBACK onTimer(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
  void foregroundChanged();
  void timerDue();
  void armTimer();
  void stopTimer();

  LockedOutputHold& m_hold;
  ForegroundWatcher m_watcher;
  UINT_PTR m_idTimer = 0;
};
