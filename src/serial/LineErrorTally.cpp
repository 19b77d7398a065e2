#include "LineErrorTally.h"

const char* const kszEventSerialLineErrors = "Serial Line Errors";

namespace
{
const uint32_t kdwPassed = 0x80000000u;  // unsigned tick differences this large are negative

std::string countLine(const char* pszWhat, uint32_t nCount)
{
  return std::string(pszWhat) + " = " + std::to_string(nCount);
}
}  // namespace

// The first error after a quiet second is reported at once; later ones wait for the second to end.
void LineErrorTally::note(uint32_t dwErrors, uint32_t dwNow)
{
  if ((dwErrors & (kFraming | kParity | kOverrun | kBufferOverflow)) == 0)
    return;
  if (!counting())
  {
    bool fQuiet = !m_fReportedOnce || dwNow - m_dwLastReport >= kdwReportIntervalMs;
    m_dwDue = fQuiet ? dwNow : m_dwLastReport + kdwReportIntervalMs;
  }
  m_nFraming += (dwErrors & kFraming) != 0;
  m_nParity += (dwErrors & kParity) != 0;
  m_nOverrun += (dwErrors & kOverrun) != 0;
  m_nBufferOverflow += (dwErrors & kBufferOverflow) != 0;
}

bool LineErrorTally::pending(uint32_t& dwDue) const
{
  if (!counting())
    return false;
  dwDue = m_dwDue;
  return true;
}

bool LineErrorTally::due(uint32_t dwNow) const
{
  return counting() && dwNow - m_dwDue < kdwPassed;
}

std::vector<std::string> LineErrorTally::takeReport(uint32_t dwNow)
{
  std::vector<std::string> rgstrDetails = {
      countLine("Framing Errors", m_nFraming), countLine("Parity Errors", m_nParity),
      countLine("Overruns", m_nOverrun), countLine("Input Buffer Overflows", m_nBufferOverflow),
      "Hint = Framing and parity errors usually mean that the device sends at another speed, parity or "
      "number of data bits than the port is set to."};
  m_nFraming = m_nParity = m_nOverrun = m_nBufferOverflow = 0;
  m_fReportedOnce = true;
  m_dwLastReport = dwNow;
  return rgstrDetails;
}
