#include "AutoStartList.h"

#include "base/Registry.h"
#include "settings/QuilbarProfileMap.h"
#include "settings/SettingsPolicy.h"

#include <cctype>

const char AutoStartList::kszRunKey[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char AutoStartList::kszValuePrefix[] = "Quilbar_";

AutoStartList::AutoStartList(ProgramPathSource fnProgramPath, const std::string& strRunKey)
    : m_fnProgramPath(std::move(fnProgramPath)), m_strRunKey(strRunKey)
{
}

std::string AutoStartList::valueNameOf(const std::string& strProfileName)
{
  return kszValuePrefix + strProfileName;
}

// The whole command line of the started instance is the profile name, so a name with blanks
// needs no quotes; the short path keeps the program's own path free of blanks. Where the volume
// has no short names the system gives the long path, whose blanks would end the program's name
// early ("C:\Program" with the profile "Files\..."): that path is quoted.
std::string AutoStartList::valueDataOf(const std::string& strShortPath, const std::string& strProfileName)
{
  if (strShortPath.find_first_of(" \t") == std::string::npos)
    return strShortPath + " " + strProfileName;
  return "\"" + strShortPath + "\" " + strProfileName;
}

bool AutoStartList::isProgramValueName(const std::string& strValueName)
{
  const std::string strPrefix = kszValuePrefix;
  if (strValueName.size() < strPrefix.size())
    return false;
  for (size_t i = 0; i < strPrefix.size(); ++i)
  {
    if (std::tolower(static_cast<unsigned char>(strValueName[i])) != std::tolower(static_cast<unsigned char>(strPrefix[i])))
      return false;
  }
  return true;
}

bool AutoStartList::registerAutoStart(const std::string& strProfileName) const
{
  std::string strShortPath;
  if (strProfileName.empty() || !m_fnProgramPath || !m_fnProgramPath(strShortPath) || strShortPath.empty())
    return false;
  Registry regRun;
  if (!regRun.openKey(m_strRunKey, Registry::kdwAccessAll))
    return false;
  return regRun.createKeyValue(valueNameOf(strProfileName).c_str(), valueDataOf(strShortPath, strProfileName));
}

bool AutoStartList::unregisterAutoStart(const std::string& strProfileName) const
{
  if (strProfileName.empty())
    return false;
  Registry regRun;
  if (!regRun.openKey(m_strRunKey, Registry::kdwAccessAll))
    return false;
  return regRun.deleteKeyValue(valueNameOf(strProfileName).c_str());
}

// A value that cannot be deleted stays; the others go all the same.
bool AutoStartList::unregisterAllAutoStart() const
{
  Registry regRun;
  TextList rgNames;
  if (!regRun.openKey(m_strRunKey, Registry::kdwAccessAll) || !regRun.getKeyValueNames(rgNames))
    return false;
  for (const std::string& strName : rgNames)
  {
    if (isProgramValueName(strName))
      regRun.deleteKeyValue(strName.c_str());
  }
  return true;
}

void AutoStartList::synchroniseAutoStart(const QuilbarProfileMap& profiles, const SettingsPolicy* pPolicy) const
{
  for (const auto& entry : profiles.getEntries())
  {
    QuilbarProfile profile(*entry.second);
    if (pPolicy != nullptr)
      pPolicy->applyTo(profile);
    if (profile.getAutoStart() == 1)
      registerAutoStart(profile.getName());
    else
      unregisterAutoStart(profile.getName());
  }
}
