#include "DataStringCutter.h"

#include "DataStringSink.h"
#include "KeyCase.h"
#include "NullByte.h"

#include <cstring>
#include <vector>

namespace
{
// The next position, at or after a given one, of any byte of a small set: one memchr per byte
// value, repeated only once its last find has been passed, instead of a test of every byte. A
// long run without such a byte (an unterminated device, injected text) costs a few memchr calls.
class NextByteOfSet
{
public:
  NextByteOfSet(const std::string& strSet, const char* pBytes, size_t nBytes)
    : m_strSet(strSet), m_pBytes(pBytes), m_nBytes(nBytes), m_rgnNext(strSet.size(), 0)
  {
    for (size_t k = 0; k < m_strSet.size(); ++k)
      m_rgnNext[k] = find(k, 0);
  }

  size_t from(size_t nPos)
  {
    size_t nFirst = m_nBytes;
    for (size_t k = 0; k < m_strSet.size(); ++k)
    {
      if (m_rgnNext[k] < nPos)
        m_rgnNext[k] = find(k, nPos);
      if (m_rgnNext[k] < nFirst)
        nFirst = m_rgnNext[k];
    }
    return nFirst;
  }

private:
  size_t find(size_t k, size_t nPos) const
  {
    const void* pFound = std::memchr(m_pBytes + nPos, m_strSet[k], m_nBytes - nPos);
    return pFound != nullptr ? static_cast<size_t>(static_cast<const char*>(pFound) - m_pBytes) : m_nBytes;
  }

  const std::string& m_strSet;
  const char* m_pBytes;
  size_t m_nBytes;
  std::vector<size_t> m_rgnNext;
};
}  // namespace

DataStringCutter::DataStringCutter(const SerialSettings& settings, DataStringSink& sink)
  : m_settings(settings), m_sink(sink), m_terminators(settings.strDataStringTerminator)
{
  m_strMayEnd.assign(1, '\0');
  if (!byTerminator())
    return;
  for (const std::string& strTerminator : m_terminators.items())
  {
    if (m_strMayEnd.find(strTerminator.back()) == std::string::npos)
      m_strMayEnd += strTerminator.back();
    if (strTerminator.size() > m_cchLongestTerminator)
      m_cchLongestTerminator = strTerminator.size();
  }
}

void DataStringCutter::start(const ModemLines& lines, uint32_t dwNow)
{
  m_lastLines = lines;
  m_strReceiveBuffer.clear();
  m_strExternalBuffer.clear();
  m_fReceiveAfterCut = m_fExternalAfterCut = false;
  m_dwLastReceive = dwNow;
}

void DataStringCutter::announceData()
{
  if (m_settings.fHideWindow)
    m_sink.hideMainWindow();
  m_sink.dataActivity();
}

void DataStringCutter::handOver(std::string& strBuffer, bool fLogRaw)
{
  if (fLogRaw && m_settings.fLogging)
    m_sink.logRawInput(strBuffer);
  m_sink.handOver(strBuffer);
  strBuffer.clear();
}

// Bytes that cannot complete a terminator are appended a run at a time, up to the length limit;
// each other byte is appended on its own and the terminators are looked at after it.
void DataStringCutter::appendAndCut(std::string& strBuffer, bool& fAfterCut, const char* pBytes,
                                    size_t nBytes, bool fLogRaw)
{
  NextByteOfSet nextMayEnd(m_strMayEnd, pBytes, nBytes);
  size_t i = 0;
  while (i < nBytes)
  {
    size_t cchRoom = strBuffer.size() < kcchMaxDataString ? kcchMaxDataString - strBuffer.size() : 0;
    size_t nRun = nextMayEnd.from(i) - i;
    if (nRun > cchRoom)
      nRun = cchRoom;
    strBuffer.append(pBytes + i, nRun);
    i += nRun;
    if (i < nBytes && strBuffer.size() < kcchMaxDataString)
    {
      size_t nBytesTaken = 1;
      if (pBytes[i] == '\0' && m_strMayEnd.find(']') == std::string::npos)
        nBytesTaken = zeroRun(pBytes + i, nBytes - i, (kcchMaxDataString - strBuffer.size() + 5) / 6);
      appendExpandingNulls(strBuffer, pBytes + i, nBytesTaken);
      i += nBytesTaken;
      if (byTerminator())
        cutAtTerminator(strBuffer, fAfterCut, fLogRaw);
    }
    if (strBuffer.size() >= kcchMaxDataString)
      fAfterCut = cutAtLengthLimit(strBuffer, fLogRaw);
  }
}

// A terminator made only of the characters kept at a length cut (and the bytes after them) ends
// the data string that the cut already handed over: no empty data string follows it.
// Zero bytes in a row, at most nMax: while no terminator ends with "]", none can end on a zero
// byte's "[NULL]", so a run of them is appended at once.
size_t DataStringCutter::zeroRun(const char* pBytes, size_t nBytes, size_t nMax)
{
  size_t n = 0;
  while (n < nBytes && n < nMax && pBytes[n] == '\0')
    ++n;
  return n;
}

void DataStringCutter::cutAtTerminator(std::string& strBuffer, bool& fAfterCut, bool fLogRaw)
{
  const std::string* pstrTerminator = m_terminators.findEnding(strBuffer);
  if (!pstrTerminator)
    return;
  // The log shows the data as it came, terminator included; the data string goes without it.
  if (fLogRaw && m_settings.fLogging)
    m_sink.logRawInput(strBuffer);
  strBuffer.resize(strBuffer.size() - pstrTerminator->size());
  if (strBuffer.empty() && fAfterCut)
    strBuffer.clear();
  else
    handOver(strBuffer, false);
  fAfterCut = false;
}

// What has arrived goes as one data string. In terminator mode the last characters stay, as many
// as a terminator could have begun with, so that a terminator split by the cut still ends the
// next piece instead of leaving its tail in front of the next scan. At least half goes, whatever
// the terminators, so every cut makes room. True when characters were kept.
bool DataStringCutter::cutAtLengthLimit(std::string& strBuffer, bool fLogRaw)
{
  size_t cchKept = m_cchLongestTerminator > 1 ? m_cchLongestTerminator - 1 : 0;
  if (cchKept > strBuffer.size() / 2)
    cchKept = strBuffer.size() / 2;
  std::string strKept = strBuffer.substr(strBuffer.size() - cchKept);
  strBuffer.resize(strBuffer.size() - cchKept);
  size_t cchHandedOver = strBuffer.size();
  handOver(strBuffer, fLogRaw);
  m_sink.cutAtLengthLimit(cchHandedOver);
  strBuffer = std::move(strKept);
  return !strBuffer.empty();
}

void DataStringCutter::receiveBytes(const char* pBytes, size_t nBytes, uint32_t dwNow)
{
  if (nBytes == 0)
    return;
  announceData();
  std::string strChunk(pBytes, nBytes);
  applyKeyCase(strChunk, m_settings.dwKeyCase);
  appendAndCut(m_strReceiveBuffer, m_fReceiveAfterCut, strChunk.data(), strChunk.size(), true);
  m_dwLastReceive = dwNow;
}

void DataStringCutter::injectText(const std::string& strText, uint32_t dwNow)
{
  announceData();
  std::string strConverted = strText;
  applyKeyCase(strConverted, m_settings.dwKeyCase);
  appendAndCut(m_strExternalBuffer, m_fExternalAfterCut, strConverted.data(), strConverted.size(), false);
  m_dwLastReceive = dwNow;
}

void DataStringCutter::idle(uint32_t dwNow)
{
  if (byTerminator())
    return;
  if (static_cast<uint32_t>(dwNow - m_dwLastReceive) < m_settings.dwTerminationTimeout)
    return;
  if (!m_strReceiveBuffer.empty())
    handOver(m_strReceiveBuffer, true);
  // Injected text ends by the same pause as port data; it would otherwise never be handed over.
  if (!m_strExternalBuffer.empty())
    handOver(m_strExternalBuffer, false);
  m_dwLastReceive = dwNow;
}

bool DataStringCutter::pauseDeadline(uint32_t& dwDue) const
{
  if (byTerminator() || bufferedLength() == 0)
    return false;
  dwDue = m_dwLastReceive + m_settings.dwTerminationTimeout;
  return true;
}

void DataStringCutter::checkLine(bool fLevel, bool& fLastLevel, bool fHighWanted, bool fLowWanted,
                                 const char* pszHigh, const char* pszLow)
{
  if (fLevel == fLastLevel)
    return;
  fLastLevel = fLevel;
  if (fLevel ? !fHighWanted : !fLowWanted)
    return;
  std::string strPin = fLevel ? pszHigh : pszLow;
  m_sink.pinActivity();
  handOver(strPin, true);
}

void DataStringCutter::modemLines(const ModemLines& lines)
{
  const SerialSettings& s = m_settings;
  checkLine(lines.fCTS, m_lastLines.fCTS, s.fCTSHigh, s.fCTSLow, "[CTS_HIGH]", "[CTS_LOW]");
  checkLine(lines.fDSR, m_lastLines.fDSR, s.fDSRHigh, s.fDSRLow, "[DSR_HIGH]", "[DSR_LOW]");
  checkLine(lines.fRI, m_lastLines.fRI, s.fRIHigh, s.fRILow, "[RI_HIGH]", "[RI_LOW]");
  checkLine(lines.fDCD, m_lastLines.fDCD, s.fDCDHigh, s.fDCDLow, "[DCD_HIGH]", "[DCD_LOW]");
}

std::string DataStringCutter::takeExternalBuffer()
{
  std::string strRest;
  strRest.swap(m_strExternalBuffer);
  m_fExternalAfterCut = false;
  return strRest;
}
