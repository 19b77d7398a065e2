#include "LockedOutputHold.h"

#include "EventLog.h"
#include "HeldDataSink.h"
#include "base/DataConv.h"
#include "keyboard/ForegroundWindow.h"
#include "keyboard/OutputWindowLock.h"

const char LockedOutputHold::kszHeldEvent[] = "Data Held For Locked Window";
const char LockedOutputHold::kszDroppedEvent[] = "Held Data Dropped";
const char LockedOutputHold::kszQueueFull[] = "Too much data is waiting for a locked window.";
const char LockedOutputHold::kszUnloaded[] = "Quilbar was unloaded before a locked window became active.";

namespace
{
// Seconds as milliseconds, saturated rather than wrapped.
uint32_t millisecondsOf(uint32_t dwSeconds)
{
  return dwSeconds > 0xFFFFFFFFu / 1000 ? 0xFFFFFFFFu : dwSeconds * 1000;
}
}  // namespace

LockedOutputHold::LockedOutputHold(const ForegroundWindow& foregroundWindow, EventLog& log, HeldDataSink& sink)
    : m_foregroundWindow(foregroundWindow), m_log(log), m_sink(sink)
{
}

void LockedOutputHold::setSettings(bool fLockOutputWindow, const std::vector<std::string>& rgstrTitles, bool fHold,
                                   uint32_t dwTimeLimitSeconds)
{
  m_fLock = fLockOutputWindow;
  m_rgstrTitles = rgstrTitles;
  m_fHold = fHold;
  m_dwTimeLimitSeconds = dwTimeLimitSeconds;
  if (!isActive())
    releaseWhileUnlocked();
}

bool LockedOutputHold::isUnlocked() const
{
  return isOutputWindowUnlocked(m_fLock, m_rgstrTitles, m_foregroundWindow);
}

// While held strings are being passed on, the pipeline may pump messages (an output expression
// that waits for a window), and a new string or a foreground change can arrive in the middle:
// a new string then queues behind the others, and the loop already running carries on.
void LockedOutputHold::submit(const std::string& strData, uint32_t dwNow)
{
  if (m_fReleasing)
  {
    if (!m_queue.push(strData, dwNow))
      drop(strData, kszQueueFull);
    return;
  }
  if (!isActive())
  {
    m_sink.deliverHeld(strData);
    return;
  }
  dropExpired(dwNow);
  if (!m_queue.empty() || !isUnlocked())
  {
    hold(strData, dwNow);
    releaseWhileUnlocked();
    return;
  }
  m_sink.deliverHeld(strData);
}

void LockedOutputHold::onForegroundChanged(uint32_t dwNow)
{
  if (!isActive())
    return;
  dropExpired(dwNow);
  releaseWhileUnlocked();
}

void LockedOutputHold::onTimer(uint32_t dwNow)
{
  dropExpired(dwNow);
}

void LockedOutputHold::dropAll(const std::string& strReason)
{
  while (!m_queue.empty())
    drop(m_queue.popFront(), strReason);
}

uint32_t LockedOutputHold::msUntilNextDrop(uint32_t dwNow) const
{
  if (m_queue.empty())
    return kdwNoDeadline;
  return m_queue.msUntilNextExpiry(dwNow, millisecondsOf(m_dwTimeLimitSeconds));
}

// The lock is asked again before every string: the user may switch away in the middle. A string
// passed on may switch profiles, which sets new settings from inside this loop; when the hold no
// longer applies, the loop passes on the rest in order and the pipeline applies the lock as set.
void LockedOutputHold::releaseWhileUnlocked()
{
  if (m_fReleasing)
    return;
  m_fReleasing = true;
  while (!m_queue.empty() && (!isActive() || isUnlocked()))
    m_sink.deliverHeld(m_queue.popFront());
  m_fReleasing = false;
}

void LockedOutputHold::hold(const std::string& strData, uint32_t dwNow)
{
  if (!m_queue.push(strData, dwNow))
  {
    drop(strData, kszQueueFull);
    return;
  }
  if (m_log.isEventOutputWanted())
    m_log.logEvent(kszHeldEvent, {"Input String = " + DataConv::render(strData), foregroundDetail(),
                                  "Strings Held = " + std::to_string(m_queue.size())});
}

void LockedOutputHold::dropExpired(uint32_t dwNow)
{
  std::vector<std::string> rgstrExpired = m_queue.takeExpired(dwNow, millisecondsOf(m_dwTimeLimitSeconds));
  for (const std::string& strData : rgstrExpired)
    drop(strData, "No locked window became active within " + std::to_string(m_dwTimeLimitSeconds)
                      + (m_dwTimeLimitSeconds == 1 ? " second." : " seconds."));
}

void LockedOutputHold::drop(const std::string& strData, const std::string& strReason)
{
  if (m_log.isEventOutputWanted())
    m_log.logEvent(kszDroppedEvent, {"Input String = " + DataConv::render(strData), "Reason = " + strReason});
  m_sink.heldDataDropped(strData, strReason);
}

std::string LockedOutputHold::foregroundDetail() const
{
  std::string strTitle;
  if (m_foregroundWindow.getTitle(strTitle))
    return "Current Window's Title = " + strTitle;
  return "No Active Window";
}
