#include "Criteria.h"

#include "base/Assert.h"
#include "base/DataConv.h"
#include "EAN128.h"
#include "StringFormat.h"
#include "base/WildcardMatch.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"

#include <climits>
#include <cstring>
#include <vector>

namespace
{
const char kszInvalidExpression[] =
  "Invalid expression in data edit format criteria. Probably an unterminated character mnemonic like \"<*\".";

Criteria::ExpressionAlert g_pfnExpressionAlert = showCriteriaExpressionAlert;

// Blanks only: a tab is a character of the item, so "\t10" names no AI and matches nothing.
std::string trimBlanks(const std::string& str)
{
  size_t nFirst = str.find_first_not_of(' ');
  if (nFirst == std::string::npos)
    return std::string();
  size_t nLast = str.find_last_not_of(' ');
  return str.substr(nFirst, nLast - nFirst + 1);
}

// Cuts the first item off at the first comma outside double quotes; inside quotes a doubled quote
// stands for one. The quotes themselves are dropped.
std::string cutItem(const std::string& strList, size_t& nPos)
{
  std::string strItem;
  bool fQuoted = false;
  while (nPos < strList.size())
  {
    char ch = strList[nPos++];
    if (ch == '"' && fQuoted && nPos < strList.size() && strList[nPos] == '"')
    {
      strItem += '"';
      ++nPos;
    }
    else if (ch == '"')
      fQuoted = !fQuoted;
    else if (ch == ',' && !fQuoted)
      break;
    else
      strItem += ch;
  }
  return strItem;
}
}  // namespace

Criteria::Criteria()
{
  reset();
}

Criteria::Criteria(const Criteria& criteria)
{
  reset();
  *this = criteria;
}

Criteria& Criteria::operator=(const Criteria& criteria)
{
  if (this == &criteria)
    return *this;
  switch (criteria.getKind())
  {
  case kindLength: setKindLength(); break;
  case kindStringExpression: setKindStringExpression(); break;
  case kindEAN128: setKindEAN128(); break;
  }
  QB_ASSERT(setMinLength(criteria.getMinLength()));
  QB_ASSERT(setMaxLength(criteria.getMaxLength()));
  QB_ASSERT(setStartPosition(criteria.getStartPosition()));
  QB_ASSERT(setExpression(criteria.getExpression()));
  QB_ASSERT(setFieldsPresent(criteria.getFieldsPresent()));
  QB_ASSERT(setFieldsNotPresent(criteria.getFieldsNotPresent()));
  return *this;
}

void Criteria::reset()
{
  m_kind = kindLength;
  m_nMinLength = 1;
  m_nMaxLength = 1;
  m_nStartPosition = 1;
  QB_ASSERT(setExpression(std::string()));
  QB_ASSERT(setFieldsPresent(std::string()));
  QB_ASSERT(setFieldsNotPresent(std::string()));
}

bool Criteria::setMinLength(int nMinLength)
{
  if (nMinLength < 1)
    return false;
  m_nMinLength = nMinLength;
  return true;
}

bool Criteria::setMaxLength(int nMaxLength)
{
  if (nMaxLength < 1)
    return false;
  m_nMaxLength = nMaxLength;
  return true;
}

bool Criteria::setStartPosition(int nStartPosition)
{
  if (nStartPosition < 1)
    return false;
  m_nStartPosition = nStartPosition;
  return true;
}

bool Criteria::setExpression(const std::string& strExpression)
{
  m_strExpression = strExpression;
  m_fPatternValid = DataConv::parse(strExpression, m_strPattern);
  m_fAlertShown = false;
  return true;
}

bool Criteria::setFieldsPresent(const std::string& strFieldsPresent)
{
  m_strFieldsPresent = strFieldsPresent;
  m_rgstrAIsPresent = walkAIList(strFieldsPresent);
  return true;
}

bool Criteria::setFieldsNotPresent(const std::string& strFieldsNotPresent)
{
  m_strFieldsNotPresent = strFieldsNotPresent;
  m_rgstrAIsNotPresent = walkAIList(strFieldsNotPresent);
  return true;
}

std::string Criteria::getDescription() const
{
  switch (m_kind)
  {
  case kindLength:
    return formatString("Length (min = %d, max = %d)", m_nMinLength, m_nMaxLength);
  case kindStringExpression:
    return formatString("Expression (start = %d, \"%s\")", m_nStartPosition, m_strExpression.c_str());
  case kindEAN128:
    return formatString("EAN128 (must = \"%s\", must not = \"%s\")", m_strFieldsPresent.c_str(),
                        m_strFieldsNotPresent.c_str());
  }
  return std::string();
}

bool Criteria::matches(const char* pszData) const
{
  QB_ASSERT(NULL != pszData);
  switch (m_kind)
  {
  case kindLength: return matchesLength(pszData);
  case kindStringExpression: return matchesStringExpression(pszData);
  case kindEAN128: return matchesEAN128(pszData);
  }
  return true;
}

bool Criteria::matchesLength(const char* pszData) const
{
  size_t nLength = std::strlen(pszData);
  return static_cast<size_t>(m_nMinLength) <= nLength && nLength <= static_cast<size_t>(m_nMaxLength);
}

// The start may lie just behind the last byte, so that a pattern such as "*" can test an empty tail.
bool Criteria::matchesStringExpression(const char* pszData) const
{
  size_t nLength = std::strlen(pszData);
  if (m_nStartPosition < 1 || nLength < static_cast<size_t>(m_nStartPosition) - 1)
    return false;
  if (!m_fPatternValid)
  {
    // The criterion dialog does not check the notation, so the user learns of it here: once per
    // loaded criterion, not for every data string. A box per scan piles up at a busy till, and
    // each box runs a message loop of its own.
    if (!m_fAlertShown)
    {
      m_fAlertShown = true;
      g_pfnExpressionAlert(kszInvalidExpression);
    }
    return false;
  }
  return wildcardMatch(pszData + m_nStartPosition - 1, m_strPattern.c_str());
}

bool Criteria::matchesEAN128(const char* pszData) const
{
  EAN128 parser;
  if (!parser.parse(pszData))
    return false;
  for (const std::string& strAI : m_rgstrAIsPresent)
    if (parser.getField(strAI) == nullptr)
      return false;
  for (const std::string& strAI : m_rgstrAIsNotPresent)
    if (parser.getField(strAI) != nullptr)
      return false;
  return true;
}

// The walk stops at the first empty item, so "01,,21" looks up 01 only; an item of blanks becomes
// the empty AI, which no field has.
std::vector<std::string> Criteria::walkAIList(const std::string& strList)
{
  std::vector<std::string> rgstrAIs;
  size_t nPos = 0;
  for (;;)
  {
    std::string strItem = cutItem(strList, nPos);
    if (strItem.empty())
      break;
    rgstrAIs.push_back(trimBlanks(strItem));
  }
  return rgstrAIs;
}

Criteria::ExpressionAlert Criteria::setExpressionAlert(ExpressionAlert pfnAlert)
{
  QB_ASSERT(NULL != pfnAlert);
  ExpressionAlert pfnPrevious = g_pfnExpressionAlert;
  g_pfnExpressionAlert = pfnAlert;
  return pfnPrevious;
}

namespace
{
// Reads a required number that must be at least 1 as a signed 32-bit value; a stored number of
// 2147483648 or more would turn negative and is refused like 0.
bool loadPositive(const Registry& regKey, const char* pszName, int& nValue, std::string& strError)
{
  uint32_t dwValue = 0;
  if (!regKey.getKeyValue(pszName, dwValue))
  {
    strError = registrymessages::failedToRead(pszName, regKey);
    return false;
  }
  if (dwValue < 1 || dwValue > static_cast<uint32_t>(INT_MAX))
  {
    strError = registrymessages::invalidValue(pszName, regKey);
    return false;
  }
  nValue = static_cast<int>(dwValue);
  return true;
}
}  // namespace

bool Criteria::loadFromRegistry(const Registry& regKey, std::string& strError)
{
  uint32_t dwType = 0;
  if (!regKey.getKeyValue("Type", dwType))
  {
    strError = registrymessages::failedToRead("Type", regKey);
    return false;
  }
  // An unknown kind keeps the kind the criterion already has.
  if (dwType == kindLength)
    setKindLength();
  else if (dwType == kindStringExpression)
    setKindStringExpression();
  else if (dwType == kindEAN128)
    setKindEAN128();

  int nValue = 0;
  if (!loadPositive(regKey, "MinLength", nValue, strError))
    return false;
  QB_ASSERT(true == setMinLength(nValue));
  if (!loadPositive(regKey, "MaxLength", nValue, strError))
    return false;
  QB_ASSERT(true == setMaxLength(nValue));
  if (!loadPositive(regKey, "StartPosition", nValue, strError))
    return false;
  QB_ASSERT(true == setStartPosition(nValue));

  std::string strText;
  if (!regKey.getKeyValue("Expression", strText))
  {
    strError = registrymessages::failedToRead("Expression", regKey);
    return false;
  }
  setExpression(strText);
  if (!regKey.getKeyValue("FieldsPresent", strText))
    strText.clear();
  setFieldsPresent(strText);
  if (!regKey.getKeyValue("FieldsNotPresent", strText))
    strText.clear();
  setFieldsNotPresent(strText);
  return true;
}

bool Criteria::saveToRegistry(Registry& regKey) const
{
  return regKey.createKeyValue("Type", static_cast<uint32_t>(m_kind))
         && regKey.createKeyValue("MinLength", static_cast<uint32_t>(m_nMinLength))
         && regKey.createKeyValue("MaxLength", static_cast<uint32_t>(m_nMaxLength))
         && regKey.createKeyValue("StartPosition", static_cast<uint32_t>(m_nStartPosition))
         && regKey.createKeyValue("Expression", m_strExpression)
         && regKey.createKeyValue("FieldsPresent", m_strFieldsPresent)
         && regKey.createKeyValue("FieldsNotPresent", m_strFieldsNotPresent);
}
