#include "ProcStat.h"

namespace
{
// Moves past one field that ends at a space or the line end; false when there is none. When
// pnValue is given the field must be an unsigned decimal that fits (utime and stime are); other
// numeric fields may be negative (tpgid is -1 without a terminal) and are only skipped.
bool readField(const std::string& str, size_t& nPos, uint64_t* pnValue = nullptr)
{
  while (nPos < str.size() && str[nPos] == ' ')
    ++nPos;
  size_t nStart = nPos;
  while (nPos < str.size() && str[nPos] != ' ' && str[nPos] != '\n')
    ++nPos;
  if (nPos == nStart)
    return false;
  if (pnValue == nullptr)
    return true;
  // 19 digits always fit in 64 bits; no tick count comes near that.
  if (nPos - nStart > 19)
    return false;
  uint64_t nValue = 0;
  for (size_t i = nStart; i < nPos; ++i)
  {
    if (str[i] < '0' || str[i] > '9')
      return false;
    nValue = nValue * 10 + static_cast<uint64_t>(str[i] - '0');
  }
  *pnValue = nValue;
  return true;
}
}  // namespace

bool parseProcStatCpuTicks(const std::string& strStat, uint64_t& nTicks)
{
  size_t nOpen = strStat.find('(');
  size_t nClose = strStat.rfind(')');
  if (nOpen == std::string::npos || nClose == std::string::npos || nOpen > nClose)
    return false;
  size_t nPos = nClose + 1;
  // Fields 3 (the state letter) to 13 come before utime (14) and stime (15).
  for (int nField = 3; nField <= 13; ++nField)
    if (!readField(strStat, nPos))
      return false;
  uint64_t nUser = 0, nSystem = 0;
  if (!readField(strStat, nPos, &nUser) || !readField(strStat, nPos, &nSystem))
    return false;
  nTicks = nUser + nSystem;
  return true;
}

namespace
{
bool numberAfter(const std::string& str, const char* pszLabel, uint64_t& nValue)
{
  std::string strLabel = std::string("\n") + pszLabel + ":";
  size_t nPos = str.find(strLabel);
  if (nPos == std::string::npos)
    return false;
  nPos += strLabel.size();
  while (nPos < str.size() && str[nPos] == '\t')
    ++nPos;
  return readField(str, nPos, &nValue);
}
}  // namespace

bool parseProcStatusSwitches(const std::string& strStatus, uint64_t& nSwitches)
{
  uint64_t nVoluntary = 0, nInvoluntary = 0;
  // A line feed in front keeps "voluntary" from being found inside "nonvoluntary".
  std::string strText = "\n" + strStatus;
  if (!numberAfter(strText, "voluntary_ctxt_switches", nVoluntary) ||
      !numberAfter(strText, "nonvoluntary_ctxt_switches", nInvoluntary))
    return false;
  nSwitches = nVoluntary + nInvoluntary;
  return true;
}
