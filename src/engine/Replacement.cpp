#include "Replacement.h"

#include "base/Assert.h"
#include "ReplacementMap.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"
#include <climits>
#include "base/DataConv.h"


namespace
{
// The raw texts end at their first zero byte ("<NUL>" ends a search text).
std::string toRaw(const std::string& strNotation, bool& fValid)
{
  std::string strBytes;
  fValid = DataConv::parse(strNotation, strBytes);
  return std::string(strBytes.c_str());
}
}  // namespace

Replacement::Replacement()
{
  reset();
}

Replacement::Replacement(const Replacement& replacement)
{
  reset();
  *this = replacement;
}

Replacement& Replacement::operator=(const Replacement& replacement)
{
  if (this == &replacement)
    return *this;
  QB_ASSERT(setOrder(replacement.getOrder()));
  QB_ASSERT(setInput(replacement.getInput()));
  QB_ASSERT(setReplace(replacement.getReplace()));
  return *this;
}

void Replacement::reset()
{
  m_nOrder = 0;
  QB_ASSERT(setInput(std::string()));
  QB_ASSERT(setReplace(std::string()));
}

bool Replacement::setOrder(int nOrder)
{
  if (nOrder < 0)
    return false;
  m_nOrder = nOrder;
  return true;
}

bool Replacement::setInput(const std::string& strInput)
{
  m_strInput = strInput;
  m_strRawInput = toRaw(strInput, m_fRawInputValid);
  return true;
}

bool Replacement::setReplace(const std::string& strReplace)
{
  m_strReplace = strReplace;
  m_strRawReplace = toRaw(strReplace, m_fRawReplaceValid);
  return true;
}

std::string Replacement::getKey() const
{
  return makeKey(m_strInput, m_strReplace);
}

std::string Replacement::makeKey(const std::string& strInput, const std::string& strReplace)
{
  return strInput + "\t" + strReplace;
}

// The dialog refuses texts that are not valid notation, but stored settings can still hold one;
// such a replacement changes nothing rather than replacing with a half-converted text.
int Replacement::apply(std::string& strData) const
{
  const std::string& strSearch = m_strRawInput;
  const std::string& strReplace = m_strRawReplace;
  if (!m_fRawInputValid || !m_fRawReplaceValid || strSearch.empty())
    return 0;

  size_t nFound = strData.find(strSearch);
  if (nFound == std::string::npos)
    return 0;
  int cReplaced = 0;
  std::string strResult;
  size_t nFrom = 0;
  for (; nFound != std::string::npos; nFound = strData.find(strSearch, nFrom))
  {
    strResult.append(strData, nFrom, nFound - nFrom);
    strResult += strReplace;
    nFrom = nFound + strSearch.size();
    ++cReplaced;
  }
  strResult.append(strData, nFrom, std::string::npos);
  strData.swap(strResult);
  return cReplaced;
}

bool Replacement::loadFromRegistry(const Registry& regKey, std::string& strError)
{
  uint32_t dwOrder = 0;
  if (!regKey.getKeyValue("Order", dwOrder))
  {
    strError = registrymessages::failedToRead("Order", regKey);
    return false;
  }
  // An order of 2147483648 or more cannot be a position in the sequence.
  if (dwOrder > static_cast<uint32_t>(INT_MAX))
  {
    strError = ReplacementMap::kszCorruptedOrder;
    return false;
  }
  QB_ASSERT(true == setOrder(static_cast<int>(dwOrder)));
  std::string strText;
  if (!regKey.getKeyValue("Input", strText))
  {
    strError = registrymessages::failedToRead("Input", regKey);
    return false;
  }
  setInput(strText);
  if (!regKey.getKeyValue("Replace", strText))
  {
    strError = registrymessages::failedToRead("Replace", regKey);
    return false;
  }
  setReplace(strText);
  return true;
}

bool Replacement::saveToRegistry(Registry& regKey) const
{
  return regKey.createKeyValue("Order", static_cast<uint32_t>(m_nOrder))
         && regKey.createKeyValue("Input", m_strInput)
         && regKey.createKeyValue("Replace", m_strReplace);
}
