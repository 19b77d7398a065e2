#include "GS1ElementString.h"

#include <cstring>

namespace
{
const char kchGroupSeparator = 29;

bool isDigits(const std::string& strText)
{
  if (strText.empty())
    return false;
  for (char ch : strText)
    if (ch < '0' || ch > '9')
      return false;
  return true;
}

// The keys whose first numeric value ends in a check digit (a GRAI's leading zero does not count
// against it: the weights run from the right).
bool carriesCheckDigit(const char* pszAI)
{
  static const char* const krgKeys[] = {"00",  "01",  "02",  "03",  "253",  "255",  "402",  "410",  "411",
                                        "412", "413", "414", "415", "416",  "417",  "8003", "8006", "8017",
                                        "8018", "8026"};
  for (const char* pszKey : krgKeys)
    if (std::strcmp(pszKey, pszAI) == 0)
      return true;
  return false;
}

std::string describe(const std::string& strAI, const std::string& strValue)
{
  return "(" + strAI + ") " + strValue;
}
}  // namespace

const EAN128::AIDefinition* GS1ElementString::findPrintedAI(const std::string& strAI)
{
  if (!isDigits(strAI))
    return nullptr;
  const EAN128::AIDefinition* pDefinition = EAN128::findAIDefinition(strAI.c_str());
  if (pDefinition == nullptr)
    return nullptr;
  size_t nPrinted = std::strlen(pDefinition->pszAI) + (pDefinition->nDecimalPoint >= 0 ? 1 : 0);
  return nPrinted == strAI.size() ? pDefinition : nullptr;
}

bool GS1ElementString::hasValidCheckDigit(const std::string& strDigits)
{
  if (strDigits.size() < 2 || !isDigits(strDigits))
    return false;
  int nSum = 0;
  int nWeight = 3;
  for (size_t i = strDigits.size() - 1; i-- > 0;)
  {
    nSum += (strDigits[i] - '0') * nWeight;
    nWeight = 4 - nWeight;
  }
  return (10 - nSum % 10) % 10 == strDigits.back() - '0';
}

// Walks the format's value specifiers over the value: fixed ones take their length, the variable
// one (always the last) the rest within its limits; optional ones may be left out at the end.
bool GS1ElementString::check(const GS1Element& element, bool fCheckDigits, std::string& strReason)
{
  const EAN128::AIDefinition* pDefinition = findPrintedAI(element.strAI);
  if (pDefinition == nullptr)
  {
    strReason = "unknown AI (" + element.strAI + ")";
    return false;
  }
  const std::string& strValue = element.strValue;
  size_t nPosition = 0;
  bool fFirstNumeric = true;
  const char* pszSpecifier = std::strchr(pDefinition->pszFormat, '+');
  while (pszSpecifier != nullptr)
  {
    ++pszSpecifier;
    const char* pszNext = std::strchr(pszSpecifier, '+');
    EAN128::Specifier spec;
    const char* pszEnd = pszNext != nullptr ? pszNext : pszSpecifier + std::strlen(pszSpecifier);
    if (EAN128::readSpecifier(pszSpecifier, pszEnd, spec) != nullptr)
    {
      strReason = "unreadable format of AI (" + element.strAI + ")";
      return false;
    }
    size_t nLeft = strValue.size() - nPosition;
    if (spec.fOptional && nLeft == 0)
      break;
    size_t nTake = spec.nMin == spec.nMax ? static_cast<size_t>(spec.nMin) : nLeft;
    if (nLeft < nTake || nTake < static_cast<size_t>(spec.nMin) || nTake > static_cast<size_t>(spec.nMax))
    {
      strReason = "wrong length for AI " + describe(element.strAI, strValue);
      return false;
    }
    for (size_t i = nPosition; i < nPosition + nTake; ++i)
      if (!EAN128::isAllowed(spec.charset, strValue[i]))
      {
        strReason = "character not allowed in AI " + describe(element.strAI, strValue);
        return false;
      }
    if (fCheckDigits && fFirstNumeric && spec.charset == EAN128::Charset::kNumeric &&
        carriesCheckDigit(pDefinition->pszAI) && !hasValidCheckDigit(strValue.substr(nPosition, nTake)))
    {
      strReason = "wrong check digit in AI " + describe(element.strAI, strValue);
      return false;
    }
    fFirstNumeric = false;
    nPosition += nTake;
    pszSpecifier = pszNext;
  }
  if (nPosition != strValue.size())
  {
    strReason = "wrong length for AI " + describe(element.strAI, strValue);
    return false;
  }
  return true;
}

std::string GS1ElementString::render(const std::vector<GS1Element>& rgElements)
{
  std::string strText;
  for (size_t i = 0; i < rgElements.size(); ++i)
  {
    strText += rgElements[i].strAI;
    strText += rgElements[i].strValue;
    if (i + 1 < rgElements.size() && !EAN128::isLengthPredefined(rgElements[i].strAI.c_str()))
      strText += kchGroupSeparator;
  }
  return strText;
}
