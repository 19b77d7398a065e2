#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Line errors the driver reports when it is asked for its state (framing, parity, overrun, input
// buffer overflow), counted and reported as one event at most once a second: a device at the
// wrong speed garbles every byte, and an event per byte would drown the log and every monitor.
class LineErrorTally
{
public:
  // The driver's error bits (the values of Win32's CE_RXOVER, CE_OVERRUN, CE_RXPARITY, CE_FRAME).
  enum : uint32_t
  {
    kBufferOverflow = 0x0001,
    kOverrun = 0x0002,
    kParity = 0x0004,
    kFraming = 0x0008,
  };
  static constexpr uint32_t kdwReportIntervalMs = 1000;

  // One answer of the driver; other bits (a break, say) are not line errors of this kind.
  void note(uint32_t dwErrors, uint32_t dwNow);
  // True when counts wait for their report; dwDue is the tick from which it may be made.
  bool pending(uint32_t& dwDue) const;
  bool due(uint32_t dwNow) const;
  // The event's detail lines for the counts since the last report; the counts start again.
  std::vector<std::string> takeReport(uint32_t dwNow);

private:
  bool counting() const { return m_nFraming + m_nParity + m_nOverrun + m_nBufferOverflow != 0; }

  uint32_t m_nFraming = 0, m_nParity = 0, m_nOverrun = 0, m_nBufferOverflow = 0;
  bool m_fReportedOnce = false;
  uint32_t m_dwLastReport = 0;
  uint32_t m_dwDue = 0;
};

extern const char* const kszEventSerialLineErrors;
