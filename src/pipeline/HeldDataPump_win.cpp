#include "HeldDataPump_win.h"

#include "LockedOutputHold.h"

#include <map>
#include <mutex>

namespace
{
// A thread timer's callback gets only the timer's id: the pump is found by it.
std::mutex g_mutexPumps;
std::map<UINT_PTR, HeldDataPump*> g_mapPumps;
}  // namespace

HeldDataPump::HeldDataPump(LockedOutputHold& hold)
    : m_hold(hold), m_watcher([this] { foregroundChanged(); })
{
}

HeldDataPump::~HeldDataPump()
{
  stopTimer();
}

void HeldDataPump::setSettings(bool fLockOutputWindow, const std::vector<std::string>& rgstrTitles, bool fHold,
                               uint32_t dwTimeLimitSeconds)
{
  m_hold.setSettings(fLockOutputWindow, rgstrTitles, fHold, dwTimeLimitSeconds);
  armTimer();
}

void HeldDataPump::submit(const std::string& strData)
{
  m_hold.submit(strData, GetTickCount());
  armTimer();
}

void HeldDataPump::foregroundChanged()
{
  m_hold.onForegroundChanged(GetTickCount());
  armTimer();
}

void HeldDataPump::timerDue()
{
  m_hold.onTimer(GetTickCount());
  armTimer();
}

void CALLBACK HeldDataPump::onTimer(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime)
{
  HeldDataPump* pPump = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_mutexPumps);
    auto it = g_mapPumps.find(idEvent);
    pPump = it == g_mapPumps.end() ? nullptr : it->second;
  }
  if (pPump != nullptr)
    pPump->timerDue();
}

// One timer at a time, set for the oldest string's limit; none while nothing is held. A thread
// timer keeps its id when it is set again, so re-arming only changes the time.
void HeldDataPump::armTimer()
{
  uint32_t dwDue = m_hold.msUntilNextDrop(GetTickCount());
  if (dwDue == LockedOutputHold::kdwNoDeadline)
  {
    stopTimer();
    return;
  }
  UINT uElapse = dwDue < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : static_cast<UINT>(dwDue);
  if (uElapse > USER_TIMER_MAXIMUM)
    uElapse = USER_TIMER_MAXIMUM;
  UINT_PTR idTimer = SetTimer(nullptr, m_idTimer, uElapse, &HeldDataPump::onTimer);
  if (idTimer == 0 || idTimer == m_idTimer)
    return;
  std::lock_guard<std::mutex> lock(g_mutexPumps);
  g_mapPumps.erase(m_idTimer);
  m_idTimer = idTimer;
  g_mapPumps[m_idTimer] = this;
}

void HeldDataPump::stopTimer()
{
  if (m_idTimer == 0)
    return;
  KillTimer(nullptr, m_idTimer);
  std::lock_guard<std::mutex> lock(g_mutexPumps);
  g_mapPumps.erase(m_idTimer);
  m_idTimer = 0;
}
