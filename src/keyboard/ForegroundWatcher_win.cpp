#include "ForegroundWatcher_win.h"

#include <map>
#include <mutex>

namespace
{
// A WinEvent callback gets no context of its own: the watcher is found by its hook.
std::mutex g_mutexWatchers;
std::map<HWINEVENTHOOK, ForegroundWatcher*> g_mapWatchers;

void enrol(HWINEVENTHOOK hHook, ForegroundWatcher* pWatcher)
{
  if (hHook == nullptr)
    return;
  std::lock_guard<std::mutex> lock(g_mutexWatchers);
  g_mapWatchers[hHook] = pWatcher;
}

void withdraw(HWINEVENTHOOK hHook)
{
  std::lock_guard<std::mutex> lock(g_mutexWatchers);
  g_mapWatchers.erase(hHook);
}

ForegroundWatcher* watcherOf(HWINEVENTHOOK hHook)
{
  std::lock_guard<std::mutex> lock(g_mutexWatchers);
  auto it = g_mapWatchers.find(hHook);
  return it == g_mapWatchers.end() ? nullptr : it->second;
}
}  // namespace

// Out of context: the callbacks run in this process, on this thread, from its message loop, so
// the callback may touch the caller's state without locks. Title changes come from every window
// and control; only those of the window in front matter.
ForegroundWatcher::ForegroundWatcher(std::function<void()> fnChanged)
    : m_fnChanged(std::move(fnChanged)),
      m_hookForeground(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                       &ForegroundWatcher::onWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT)),
      m_hookTitle(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                  &ForegroundWatcher::onWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT))
{
  enrol(m_hookForeground.get(), this);
  enrol(m_hookTitle.get(), this);
}

ForegroundWatcher::~ForegroundWatcher()
{
  withdraw(m_hookForeground.get());
  withdraw(m_hookTitle.get());
}

void CALLBACK ForegroundWatcher::onWinEvent(HWINEVENTHOOK hHook, DWORD dwEvent, HWND hwnd, LONG idObject,
                                             LONG idChild, DWORD dwEventThread, DWORD dwEventTime)
{
  if (dwEvent == EVENT_OBJECT_NAMECHANGE && (idObject != OBJID_WINDOW || hwnd != GetForegroundWindow()))
    return;
  ForegroundWatcher* pWatcher = watcherOf(hHook);
  if (pWatcher != nullptr && pWatcher->m_fnChanged)
    pWatcher->m_fnChanged();
}
