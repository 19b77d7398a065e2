#include "NextWake.h"

namespace
{
// A deadline more than half the tick range ahead is one that has passed (the tick wrapped).
const uint32_t kdwPassed = 0x80000000u;
}  // namespace

void NextWake::at(uint32_t dwDue)
{
  uint32_t dwAhead = dwDue - m_dwNow;
  within(dwAhead >= kdwPassed ? 0 : dwAhead);
}

void NextWake::within(uint32_t dwMs)
{
  // kdwNever itself is no deadline; the longest real wait is one tick shorter.
  if (dwMs == kdwNever)
    dwMs = kdwNever - 1;
  if (dwMs < m_dwWait)
    m_dwWait = dwMs;
}
