#include "ReplayLineReader.h"

#include "DataStringCutter.h"

const size_t ReplayLineReader::kcchMaxLine = 24 + 16 + 3 * DataStringCutter::kcchMaxDataString;

void ReplayLineReader::feed(const char* pBytes, size_t nBytes)
{
  m_strPending.append(pBytes, nBytes);
}

bool ReplayLineReader::nextLine(std::string& strLine)
{
  for (;;)
  {
    size_t nEnd = m_strPending.find('\n');
    if (nEnd == std::string::npos)
    {
      // No line end yet: a line already too long is dropped as it comes (one more character
      // may be the carriage return of its line end).
      if (m_strPending.size() > kcchMaxLine + 1)
      {
        m_fSkipping = true;
        m_cbSkipped += m_strPending.size();
        m_strPending.clear();
      }
      return false;
    }
    size_t cchLine = nEnd > 0 && m_strPending[nEnd - 1] == '\r' ? nEnd - 1 : nEnd;
    bool fSkipped = m_fSkipping || cchLine > kcchMaxLine;
    m_cbConsumed += m_cbSkipped + nEnd + 1;
    strLine.assign(m_strPending, 0, nEnd);
    m_strPending.erase(0, nEnd + 1);
    m_fSkipping = false;
    m_cbSkipped = 0;
    if (fSkipped)
      continue;
    while (!strLine.empty() && strLine.back() == '\r')
      strLine.pop_back();
    return true;
  }
}

bool ReplayLineReader::lastLine(std::string& strLine)
{
  if (nextLine(strLine))
    return true;
  bool fAny = !m_strPending.empty() || m_fSkipping;
  bool fSkipped = m_fSkipping;
  m_cbConsumed += m_cbSkipped + m_strPending.size();
  strLine.swap(m_strPending);
  m_strPending.clear();
  m_fSkipping = false;
  m_cbSkipped = 0;
  if (!fAny || fSkipped)
    return false;
  while (!strLine.empty() && strLine.back() == '\r')
    strLine.pop_back();
  return true;
}
