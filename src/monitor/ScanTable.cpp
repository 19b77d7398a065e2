#include "ScanTable.h"

bool ScanTable::add(ScanRow row)
{
  bool fDropped = m_rows.size() == kcRows;
  if (fDropped)
    m_rows.pop_front();
  m_rows.push_back(std::move(row));
  return fDropped;
}

std::string ScanTable::report(size_t nFirst, size_t nCount) const
{
  std::string strReport = "Time\tArrived\tAfter replacements\tFormat\tWhat became of it\r\n";
  for (size_t i = nFirst; i < m_rows.size() && i < nFirst + nCount; ++i)
  {
    strReport += m_rows[i].line() + "\r\n";
    size_t nStart = 0;
    const std::string& strEvent = m_rows[i].strEvent;
    for (;;)
    {
      size_t nEnd = strEvent.find('\n', nStart);
      strReport += "    " + strEvent.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart) + "\r\n";
      if (nEnd == std::string::npos)
        break;
      nStart = nEnd + 1;
    }
  }
  return strReport;
}
