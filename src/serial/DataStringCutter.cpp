#include "DataStringCutter.h"

#include "DataStringSink.h"
#include "KeyCase.h"
#include "NullByte.h"

DataStringCutter::DataStringCutter(const SerialSettings& settings, DataStringSink& sink)
  : m_settings(settings), m_sink(sink), m_terminators(settings.strDataStringTerminator)
{
}

void DataStringCutter::start(const ModemLines& lines, uint32_t dwNow)
{
  m_lastLines = lines;
  m_strReceiveBuffer.clear();
  m_strExternalBuffer.clear();
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

void DataStringCutter::appendAndCut(std::string& strBuffer, const char* pBytes, size_t nBytes,
                                    bool fLogRaw)
{
  for (size_t i = 0; i < nBytes; ++i)
  {
    appendExpandingNulls(strBuffer, pBytes + i, 1);
    if (!byTerminator())
      continue;
    const std::string* pstrTerminator = m_terminators.findEnding(strBuffer);
    if (!pstrTerminator)
      continue;
    // The log shows the data as it came, terminator included; the data string goes without it.
    if (fLogRaw && m_settings.fLogging)
      m_sink.logRawInput(strBuffer);
    strBuffer.resize(strBuffer.size() - pstrTerminator->size());
    handOver(strBuffer, false);
  }
}

void DataStringCutter::receiveBytes(const char* pBytes, size_t nBytes, uint32_t dwNow)
{
  if (nBytes == 0)
    return;
  announceData();
  std::string strChunk(pBytes, nBytes);
  applyKeyCase(strChunk, m_settings.dwKeyCase);
  appendAndCut(m_strReceiveBuffer, strChunk.data(), strChunk.size(), true);
  m_dwLastReceive = dwNow;
}

void DataStringCutter::injectText(const std::string& strText, uint32_t dwNow)
{
  announceData();
  std::string strConverted = strText;
  applyKeyCase(strConverted, m_settings.dwKeyCase);
  appendAndCut(m_strExternalBuffer, strConverted.data(), strConverted.size(), false);
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
