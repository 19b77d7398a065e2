#include "SettingsFileSchema.h"

#include "base/TextCase.h"
#include "QuilbarProfile.h"
#include "base/Registry.h"
#include "base/RegistryTree.h"

#include <cctype>

namespace
{
struct KnownValue
{
  const char* pszName;
  uint32_t dwType;
};

// The values of the records below a profile key, as their own load and save name them.
const KnownValue krgSettingsValues[] = {{"SettingsPage", Registry::kdwTypeDword},
                                        {"Password", Registry::kdwTypeString}};
const KnownValue krgFormatValues[] = {{"Name", Registry::kdwTypeString},
                                      {"Order", Registry::kdwTypeDword},
                                      {"Output", Registry::kdwTypeString}};
const KnownValue krgCriteriaValues[] = {
    {"Type", Registry::kdwTypeDword},           {"MinLength", Registry::kdwTypeDword},
    {"MaxLength", Registry::kdwTypeDword},      {"StartPosition", Registry::kdwTypeDword},
    {"Expression", Registry::kdwTypeString},    {"FieldsPresent", Registry::kdwTypeString},
    {"FieldsNotPresent", Registry::kdwTypeString}};
const KnownValue krgReplacementValues[] = {{"Order", Registry::kdwTypeDword},
                                           {"Input", Registry::kdwTypeString},
                                           {"Replace", Registry::kdwTypeString}};
const KnownValue krgTypingRuleValues[] = {
    {"Order", Registry::kdwTypeDword},       {"Title", Registry::kdwTypeString},
    {"Class", Registry::kdwTypeString},      {"TextMethod", Registry::kdwTypeDword},
    {"ControlMethod", Registry::kdwTypeDword}, {"ControlText", Registry::kdwTypeString}};

// The sub-key prefixes the profile's readers take, in their exact letter case.
const char kszFormatPrefix[] = "DataEditFormat";
const char kszReplacementPrefix[] = "Replacement";
const char kszTypingRulePrefix[] = "TypingRule";

enum class Level
{
  Settings,
  Profile,
  Format,
  Criteria,
  Replacement,
  TypingRule,
  Unknown
};


bool startsWith(const std::string& str, const char* pszPrefix)
{
  return str.compare(0, std::char_traits<char>::length(pszPrefix), pszPrefix) == 0;
}

Level levelOf(const std::string& strRelative)
{
  if (strRelative.empty())
    return Level::Settings;
  std::vector<std::string> rgParts = Registry::splitPath(strRelative);
  for (const std::string& strPart : rgParts)
  {
    if (strPart.empty())
      return Level::Unknown;
  }
  if (rgParts.size() == 1)
    return Level::Profile;
  if (rgParts.size() == 2 && startsWith(rgParts[1], kszFormatPrefix))
    return Level::Format;
  if (rgParts.size() == 2 && startsWith(rgParts[1], kszReplacementPrefix))
    return Level::Replacement;
  if (rgParts.size() == 2 && startsWith(rgParts[1], kszTypingRulePrefix))
    return Level::TypingRule;
  if (rgParts.size() == 3 && startsWith(rgParts[1], kszFormatPrefix))
    return Level::Criteria;
  return Level::Unknown;
}

template <size_t N>
bool findIn(const KnownValue (&rgKnown)[N], const std::string& strName, uint32_t& dwType)
{
  for (const KnownValue& known : rgKnown)
  {
    if (equalsIgnoringCase(strName, known.pszName))
    {
      dwType = known.dwType;
      return true;
    }
  }
  return false;
}

bool findKnown(Level level, const std::string& strName, uint32_t& dwType)
{
  std::string strStoredName;
  switch (level)
  {
  case Level::Settings: return findIn(krgSettingsValues, strName, dwType);
  case Level::Profile: return QuilbarProfile::findStoredValue(strName, dwType, strStoredName);
  case Level::Format: return findIn(krgFormatValues, strName, dwType);
  case Level::Criteria: return findIn(krgCriteriaValues, strName, dwType);
  case Level::Replacement: return findIn(krgReplacementValues, strName, dwType);
  case Level::TypingRule: return findIn(krgTypingRuleValues, strName, dwType);
  case Level::Unknown: break;
  }
  return false;
}

std::string typeName(uint32_t dwType)
{
  switch (dwType)
  {
  case Registry::kdwTypeString: return "a text";
  case Registry::kdwTypeDword: return "a dword";
  case Registry::kdwTypeMultiString: return "a text list (hex(7))";
  case Registry::kdwTypeBinary: return "hex bytes";
  }
  return "type " + std::to_string(dwType);
}

// Data the program reads back exactly: a text with no zero but its last, a list with no empty
// text before its end, a dword of four bytes.
bool isWhole(uint32_t dwType, const std::string& strData)
{
  if (dwType == Registry::kdwTypeDword)
    return strData.size() == 4;
  if (dwType == Registry::kdwTypeString)
  {
    size_t nZero = strData.find('\0');
    return nZero == std::string::npos || nZero + 1 == strData.size();
  }
  if (dwType == Registry::kdwTypeMultiString)
  {
    std::string strItems = strData;
    while (!strItems.empty() && strItems.back() == '\0')
      strItems.pop_back();
    return strItems.find(std::string(2, '\0')) == std::string::npos && (strItems.empty() || strItems[0] != '\0')
           && strData.size() - strItems.size() <= 2;
  }
  return true;
}

std::string atLine(int nLine) { return "line " + std::to_string(nLine) + ": "; }

bool checkValue(const RegistryFileKey& key, Level level, const RegistryFileValue& value, std::string& strError)
{
  strError = atLine(value.nLine);
  uint32_t dwType = 0;
  if (value.fDelete)
    strError += "deletes a value, which a settings file may not do";
  else if (value.fDefault)
    strError += "sets the default value of " + key.strPath + ", which Quilbar does not keep";
  else if (!findKnown(level, value.strName, dwType))
    strError += "\"" + value.strName + "\" is no value Quilbar keeps in " + key.strPath;
  else if (dwType != value.dwType)
    strError += "\"" + value.strName + "\" is " + typeName(value.dwType) + ", but Quilbar keeps " + typeName(dwType);
  else if (!isWhole(value.dwType, value.strData))
    strError += "\"" + value.strName + "\" holds data Quilbar cannot read back whole";
  else
    return true;
  return false;
}

bool isEmptyAncestor(const RegistryFileKey& key, const std::string& strSettingsPath)
{
  std::string strRelative;
  size_t nSlash = strSettingsPath.rfind('\\');
  for (int i = 0; i < 2 && nSlash != std::string::npos; ++i)
  {
    std::string strAncestor = strSettingsPath.substr(0, nSlash);
    if (RegistryTree::isBelow(key.strPath, strAncestor, strRelative) && strRelative.empty())
      return key.rgValues.empty() && !key.fDelete;
    nSlash = strAncestor.rfind('\\');
  }
  return false;
}
}  // namespace

bool SettingsFileSchema::check(const std::vector<RegistryFileKey>& rgKeys, const std::string& strSettingsPath,
                               std::vector<RegistryFileKey>& rgSettingsKeys, std::string& strError)
{
  rgSettingsKeys.clear();
  bool fProfile = false;
  for (const RegistryFileKey& key : rgKeys)
  {
    if (isEmptyAncestor(key, strSettingsPath))
      continue;
    std::string strRelative;
    Level level = Level::Unknown;
    if (key.fDelete)
      strError = atLine(key.nLine) + "deletes the key " + key.strPath + ", which a settings file may not do";
    else if (!RegistryTree::isBelow(key.strPath, strSettingsPath, strRelative))
      strError = atLine(key.nLine) + key.strPath + " is not below " + strSettingsPath;
    else if ((level = levelOf(strRelative)) == Level::Unknown)
      strError = atLine(key.nLine) + key.strPath + " is no key Quilbar keeps";
    if (key.fDelete || level == Level::Unknown)
      return false;
    for (const RegistryFileValue& value : key.rgValues)
    {
      if (!checkValue(key, level, value, strError))
        return false;
    }
    fProfile = fProfile || level == Level::Profile;
    rgSettingsKeys.push_back(key);
  }
  if (!fProfile)
  {
    strError = "the file holds no profile below " + strSettingsPath;
    return false;
  }
  return true;
}
