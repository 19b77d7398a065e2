#include "TerminatorList.h"

#include "base/DataConv.h"
#include "NullByte.h"

namespace
{
// Cuts the next field off the front of strRest at the first comma outside double quotes.
std::string cutField(std::string& strRest)
{
  std::string strField;
  bool fQuoted = false;
  size_t nPos = 0;
  for (; nPos < strRest.size(); ++nPos)
  {
    char c = strRest[nPos];
    if (c == '"')
    {
      if (fQuoted && nPos + 1 < strRest.size() && strRest[nPos + 1] == '"')
      {
        strField += '"';
        ++nPos;
      }
      else
      {
        fQuoted = !fQuoted;
      }
    }
    else if (c == ',' && !fQuoted)
    {
      break;
    }
    else
    {
      strField += c;
    }
  }
  strRest.erase(0, nPos < strRest.size() ? nPos + 1 : nPos);
  return strField;
}
}  // namespace

TerminatorList::TerminatorList(const std::string& strDataStringTerminator)
{
  std::string strRest = strDataStringTerminator;
  while (!strRest.empty() && m_rgstrTerminators.size() < kMaxTerminators)
  {
    std::string strField = cutField(strRest);
    std::string strBytes;
    // A malformed field would otherwise become an empty terminator, which every buffer ends
    // with: each byte would end a data string. It is left out instead.
    if (strField.empty() || !DataConv::parse(strField, strBytes))
      continue;
    // The receive buffer holds a zero byte as "[NULL]", so a terminator with a zero byte must
    // be compared in the same form to be able to match at all.
    m_rgstrTerminators.push_back(expandNullBytes(strBytes));
  }
}

const std::string* TerminatorList::findEnding(const std::string& strBuffer) const
{
  for (const std::string& strTerminator : m_rgstrTerminators)
  {
    if (strBuffer.size() >= strTerminator.size() &&
        strBuffer.compare(strBuffer.size() - strTerminator.size(), strTerminator.size(),
                          strTerminator) == 0)
      return &strTerminator;
  }
  return nullptr;
}
