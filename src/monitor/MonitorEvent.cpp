#include "MonitorEvent.h"

#include <cstring>

namespace
{
const char kszTimeStampPrefix[] = "Time Stamp = ";

std::vector<std::string> splitLines(const std::string& strText)
{
  std::vector<std::string> rgstrLines;
  size_t nStart = 0;
  for (;;)
  {
    size_t nEnd = strText.find('\n', nStart);
    rgstrLines.push_back(strText.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart));
    if (nEnd == std::string::npos)
      return rgstrLines;
    nStart = nEnd + 1;
  }
}
}  // namespace

bool MonitorEvent::detail(const std::string& strKey, std::string& strValue) const
{
  const std::string strPrefix = strKey + " = ";
  for (const std::string& strLine : rgstrDetails)
  {
    if (strLine.compare(0, strPrefix.size(), strPrefix) == 0)
    {
      strValue = strLine.substr(strPrefix.size());
      return true;
    }
  }
  return false;
}

bool MonitorEvent::hasDetail(const std::string& strLine) const
{
  for (const std::string& strDetail : rgstrDetails)
    if (strDetail == strLine)
      return true;
  return false;
}

// Another program's block: its stated size is all that may be read, and a sender that forgot the
// zero byte still gets its text read up to that size. The details of an event cut at the bound
// are the lines before the cut, so a data string's lines are never read from a half line.
bool MonitorEvent::parse(const void* pBlock, size_t cbBlock, MonitorEvent& event)
{
  if (pBlock == nullptr || cbBlock == 0)
    return false;
  const char* pch = static_cast<const char*>(pBlock);
  const void* pZero = std::memchr(pch, 0, cbBlock);
  size_t cchText = pZero != nullptr ? static_cast<size_t>(static_cast<const char*>(pZero) - pch) : cbBlock;
  bool fCut = cchText > kcchMaxText;
  std::string strText(pch, fCut ? kcchMaxText : cchText);
  std::vector<std::string> rgstrLines = splitLines(strText);
  if (fCut)
    rgstrLines.pop_back();
  if (rgstrLines.size() < 2 || rgstrLines[0].empty() ||
      rgstrLines[1].compare(0, sizeof(kszTimeStampPrefix) - 1, kszTimeStampPrefix) != 0)
    return false;
  MonitorEvent parsed;
  parsed.strName = rgstrLines[0];
  parsed.strTimeStamp = rgstrLines[1].substr(sizeof(kszTimeStampPrefix) - 1);
  parsed.rgstrDetails.assign(rgstrLines.begin() + 2, rgstrLines.end());
  parsed.strText = std::move(strText);
  if (fCut)
    parsed.strText += "\n[" + std::to_string(cchText - kcchMaxText) + " more bytes not kept]";
  event = std::move(parsed);
  return true;
}
