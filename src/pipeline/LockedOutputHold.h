#pragma once

#include "HeldDataQueue.h"

#include <cstdint>
#include <string>
#include <vector>

class EventLog;
class ForegroundWindow;
class HeldDataSink;

// Holds data strings that the output window lock would refuse, in order, until a window matching
// the lock is in front, and drops those that wait longer than the time limit. Off unless both the
// lock and the hold are on in the running profile; then every data string comes in through
// submit, and the pipeline gets it through the sink once the lock lets it pass. Runs on the main
// window's thread; the Windows layer calls it when the foreground window changes and when the
// next time limit is due.
class LockedOutputHold
{
public:
  static const char kszHeldEvent[];     // "Data Held For Locked Window"
  static const char kszDroppedEvent[];  // "Held Data Dropped"
  static const char kszQueueFull[];     // the reason given when the queue is full
  static const char kszUnloaded[];      // the reason given when the program ends
  static constexpr uint32_t kdwNoDeadline = 0xFFFFFFFFu;

  LockedOutputHold(const ForegroundWindow& foregroundWindow, EventLog& log, HeldDataSink& sink);

  // From the running profile, whenever the port starts. When the hold stops applying, every held
  // string goes on to the pipeline, which applies the lock as now set.
  void setSettings(bool fLockOutputWindow, const std::vector<std::string>& rgstrTitles, bool fHold,
                   uint32_t dwTimeLimitSeconds);
  bool isActive() const { return m_fLock && m_fHold; }

  // A data string from the port: passed on at once when nothing is held and the lock lets it
  // through, else held behind the strings already waiting.
  void submit(const std::string& strData, uint32_t dwNow);
  // The foreground window changed: drops what is over time, then passes on held strings, oldest
  // first, for as long as the lock lets them through.
  void onForegroundChanged(uint32_t dwNow);
  // Drops the strings whose time limit has passed.
  void onTimer(uint32_t dwNow);
  // The program ends: every string still held is dropped, each with its event.
  void dropAll(const std::string& strReason);

  size_t heldCount() const { return m_queue.size(); }
  // Milliseconds until the next string's time limit passes; kdwNoDeadline when none is held.
  uint32_t msUntilNextDrop(uint32_t dwNow) const;

private:
  bool isUnlocked() const;
  void releaseWhileUnlocked();
  void hold(const std::string& strData, uint32_t dwNow);
  void dropExpired(uint32_t dwNow);
  void drop(const std::string& strData, const std::string& strReason);
  std::string foregroundDetail() const;

  const ForegroundWindow& m_foregroundWindow;
  EventLog& m_log;
  HeldDataSink& m_sink;
  bool m_fLock = false;
  std::vector<std::string> m_rgstrTitles;
  bool m_fHold = false;
  uint32_t m_dwTimeLimitSeconds = 30;
  HeldDataQueue m_queue;
  bool m_fReleasing = false;
};
