#include "BracketedElementString.h"

namespace
{
// The printed AI of "(AI)" at nPosition, or an empty text when none opens there. At most five
// characters are looked at, so a long run of "(" costs nothing.
std::string openingAI(const std::string& strText, size_t nPosition)
{
  if (strText[nPosition] != '(')
    return std::string();
  size_t nClose = nPosition + 1;
  while (nClose < strText.size() && nClose - nPosition <= 5 && strText[nClose] >= '0' && strText[nClose] <= '9')
    ++nClose;
  if (nClose >= strText.size() || strText[nClose] != ')')
    return std::string();
  std::string strAI = strText.substr(nPosition + 1, nClose - nPosition - 1);
  return GS1ElementString::findPrintedAI(strAI) != nullptr ? strAI : std::string();
}
}  // namespace

bool BracketedElementString::looksBracketed(const std::string& strText)
{
  return !strText.empty() && !openingAI(strText, 0).empty();
}

bool BracketedElementString::read(const std::string& strText, std::vector<GS1Element>& rgElements,
                                  std::string& strReason)
{
  rgElements.clear();
  size_t i = 0;
  while (i < strText.size())
  {
    std::string strAI = openingAI(strText, i);
    if (!strAI.empty())
    {
      rgElements.push_back({strAI, std::string()});
      i += strAI.size() + 2;
      continue;
    }
    if (rgElements.empty())
    {
      strReason = "it does not begin with a known AI in brackets";
      return false;
    }
    bool fEscaped = strText[i] == '\\' && i + 1 < strText.size() && strText[i + 1] == '(';
    rgElements.back().strValue += fEscaped ? '(' : strText[i];
    i += fEscaped ? 2 : 1;
  }
  for (const GS1Element& element : rgElements)
    if (!GS1ElementString::check(element, false, strReason))
      return false;
  return !rgElements.empty();
}
