#pragma once

#include <cstdint>

// The time-out of the communication thread's wait: the nearest of the deadlines it has this pass
// (a data string's pause, the next look for a replay file, a poll it still needs), or no limit at
// all when it has none, so an idle thread sleeps until the port or one of its events wakes it.
// Ticks are the system's milliseconds and wrap: a deadline is compared by unsigned difference.
class NextWake
{
public:
  static constexpr uint32_t kdwNever = 0xFFFFFFFF;  // INFINITE

  explicit NextWake(uint32_t dwNow) : m_dwNow(dwNow) {}

  // A deadline at this tick; one already passed means no wait at all.
  void at(uint32_t dwDue);
  // A deadline this many milliseconds from now.
  void within(uint32_t dwMs);
  // Milliseconds to wait, or kdwNever.
  uint32_t waitMs() const { return m_dwWait; }

private:
  uint32_t m_dwNow;
  uint32_t m_dwWait = kdwNever;
};
