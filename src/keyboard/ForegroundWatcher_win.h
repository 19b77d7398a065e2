#pragma once

#include "base/UniqueResource_win.h"

#include <windows.h>

#include <functional>

// Calls back on the thread that made it whenever another window comes to the front, or the
// window in front changes its title (a title that now matches the output window lock counts as
// much as a new window). The system delivers the news through that thread's message loop; no
// polling.
class ForegroundWatcher
{
public:
  explicit ForegroundWatcher(std::function<void()> fnChanged);
  ~ForegroundWatcher();
  ForegroundWatcher(const ForegroundWatcher&) = delete;
  ForegroundWatcher& operator=(const ForegroundWatcher&) = delete;

  // False when the system refused the hooks; the caller then learns of no change.
  bool isWatching() const { return static_cast<bool>(m_hookForeground); }

private:
  static void CALLBACK onWinEvent(HWINEVENTHOOK hHook, DWORD dwEvent, HWND hwnd, LONG idObject, LONG idChild,
                                  DWORD dwEventThread, DWORD dwEventTime);

  std::function<void()> m_fnChanged;
  UniqueWinEventHook m_hookForeground;
  UniqueWinEventHook m_hookTitle;
};
