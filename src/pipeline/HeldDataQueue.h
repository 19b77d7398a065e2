#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// Data strings waiting for a locked window, oldest first, each with the tick count at which it
// was held. Bounded in count and in bytes, so a scanner that goes on reading while nobody brings
// the window up cannot exhaust memory. Tick counts wrap; every age is an unsigned difference.
class HeldDataQueue
{
public:
  static constexpr size_t kcMaxStrings = 100;
  static constexpr size_t kcbMaxBytes = 1024 * 1024;

  explicit HeldDataQueue(size_t cMaxStrings = kcMaxStrings, size_t cbMaxBytes = kcbMaxBytes);

  // False, holding nothing, when the string would pass either bound.
  bool push(const std::string& strData, uint32_t dwNow);
  bool empty() const { return m_entries.empty(); }
  size_t size() const { return m_entries.size(); }
  size_t bytes() const { return m_cbHeld; }
  std::string popFront();

  // Removes the strings held for dwLimitMs or longer at dwNow, oldest first.
  std::vector<std::string> takeExpired(uint32_t dwNow, uint32_t dwLimitMs);
  // Milliseconds until the oldest string reaches the limit (0 when it has); the queue must not be
  // empty.
  uint32_t msUntilNextExpiry(uint32_t dwNow, uint32_t dwLimitMs) const;
  // Removes every string, oldest first.
  std::vector<std::string> takeAll();

private:
  struct Entry
  {
    std::string strData;
    uint32_t dwHeldAt;
  };

  size_t m_cMaxStrings;
  size_t m_cbMaxBytes;
  size_t m_cbHeld = 0;
  std::deque<Entry> m_entries;
};
