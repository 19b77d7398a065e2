#include "TypingRule.h"

#include "base/DataConv.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"
#include "base/WildcardMatch.h"

#include <climits>

bool TypingRule::setOrder(int nOrder)
{
  if (nOrder < 0)
    return false;
  m_nOrder = nOrder;
  return true;
}

bool TypingRule::setTextMethod(int nMethod)
{
  if (nMethod < kTextUnicode || nMethod > kTextAltNumpad)
    return false;
  m_nTextMethod = nMethod;
  return true;
}

bool TypingRule::setControlMethod(int nMethod)
{
  if (nMethod < kControlKeyMap || nMethod > kControlText)
    return false;
  m_nControlMethod = nMethod;
  return true;
}

// Converted once here rather than for every control character typed.
bool TypingRule::setControlText(const std::string& strText)
{
  m_strControlText = strText;
  std::string strBytes;
  m_strRawControlText = DataConv::parse(strText, strBytes) ? std::string(strBytes.c_str()) : std::string();
  return true;
}

bool TypingRule::matches(const std::string& strTitle, const std::string& strClass) const
{
  return wildcardMatch(strTitle, m_strTitle) && (m_strClass.empty() || wildcardMatch(strClass, m_strClass));
}

namespace
{
bool readNumber(const Registry& regKey, const char* pszName, uint32_t& dwValue, std::string& strError)
{
  if (regKey.getKeyValue(pszName, dwValue))
    return true;
  strError = registrymessages::failedToRead(pszName, regKey);
  return false;
}

bool readText(const Registry& regKey, const char* pszName, std::string& strValue, std::string& strError)
{
  if (regKey.getKeyValue(pszName, strValue))
    return true;
  strError = registrymessages::failedToRead(pszName, regKey);
  return false;
}
}  // namespace

// Numbers out of range are refused by name, so a hand-edited key is found rather than typed
// into windows in a way nobody chose.
bool TypingRule::loadFromRegistry(const Registry& regKey, std::string& strError)
{
  uint32_t dwOrder = 0, dwText = 0, dwControl = 0;
  std::string strTitle, strClass, strControlText;
  if (!readNumber(regKey, "Order", dwOrder, strError) || !readText(regKey, "Title", strTitle, strError) ||
      !readText(regKey, "Class", strClass, strError) || !readNumber(regKey, "TextMethod", dwText, strError) ||
      !readNumber(regKey, "ControlMethod", dwControl, strError) ||
      !readText(regKey, "ControlText", strControlText, strError))
    return false;
  const char* pszInvalid = dwOrder > static_cast<uint32_t>(INT_MAX) ? "Order"
                           : dwText > kTextAltNumpad                ? "TextMethod"
                           : dwControl > kControlText               ? "ControlMethod"
                                                                    : nullptr;
  if (pszInvalid != nullptr)
  {
    strError = registrymessages::invalidValue(pszInvalid, regKey);
    return false;
  }
  setOrder(static_cast<int>(dwOrder));
  setTitle(strTitle);
  setClass(strClass);
  setTextMethod(static_cast<int>(dwText));
  setControlMethod(static_cast<int>(dwControl));
  setControlText(strControlText);
  return true;
}

bool TypingRule::saveToRegistry(Registry& regKey) const
{
  return regKey.createKeyValue("Order", static_cast<uint32_t>(m_nOrder)) && regKey.createKeyValue("Title", m_strTitle) &&
         regKey.createKeyValue("Class", m_strClass) &&
         regKey.createKeyValue("TextMethod", static_cast<uint32_t>(m_nTextMethod)) &&
         regKey.createKeyValue("ControlMethod", static_cast<uint32_t>(m_nControlMethod)) &&
         regKey.createKeyValue("ControlText", m_strControlText);
}

bool TypingRule::operator==(const TypingRule& other) const
{
  return m_nOrder == other.m_nOrder && m_strTitle == other.m_strTitle && m_strClass == other.m_strClass &&
         m_nTextMethod == other.m_nTextMethod && m_nControlMethod == other.m_nControlMethod &&
         m_strControlText == other.m_strControlText;
}
