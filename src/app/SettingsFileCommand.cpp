#include "SettingsFileCommand.h"

#include "AutoStartList.h"
#include "base/RegistryFile.h"
#include "settings/QuilbarProfileStore.h"
#include "settings/SettingsFile.h"

#include <fstream>
#include <iterator>

namespace
{
bool readFile(const std::string& strFile, std::string& strBytes, std::string& strError)
{
  std::ifstream file(strFile, std::ios::binary);
  if (!file)
  {
    strError = "cannot open " + strFile;
    return false;
  }
  std::string strRead;
  char rgchBuffer[65536];
  while (file.read(rgchBuffer, sizeof rgchBuffer) || file.gcount() > 0)
  {
    strRead.append(rgchBuffer, static_cast<size_t>(file.gcount()));
    if (strRead.size() > RegistryFile::kcbMaxFile)
      break;  // the parser refuses it with its reason
  }
  if (file.bad())
  {
    strError = "cannot read " + strFile;
    return false;
  }
  strBytes.swap(strRead);
  return true;
}

bool writeFile(const std::string& strFile, const std::string& strBytes, std::string& strError)
{
  std::ofstream file(strFile, std::ios::binary | std::ios::trunc);
  if (!file || !file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size())) || !(file.close(), file))
  {
    strError = "cannot write " + strFile;
    return false;
  }
  return true;
}
}  // namespace

int SettingsFileCommand::run(commandline::SettingsSwitch kind, const std::string& strFile, QuilbarProfileStore& store,
                             const AutoStartList& autoStart, std::string& strError)
{
  const char* pszSwitch = kind == commandline::SettingsSwitch::Export ? "/export" : "/import";
  std::string strBytes;
  bool fDone = false;
  if (strFile.empty())
    strError = std::string("usage: Quilbar.exe ") + pszSwitch + " FILE";
  else if (kind == commandline::SettingsSwitch::Export)
    fDone = SettingsFile::exportSettings(store, strBytes, strError) && writeFile(strFile, strBytes, strError);
  else if (readFile(strFile, strBytes, strError))
  {
    fDone = SettingsFile::importSettings(strBytes, store, strError);
    if (!fDone)
      strError = strFile + ": " + strError;
  }
  if (fDone && kind == commandline::SettingsSwitch::Import)
  {
    autoStart.unregisterAllAutoStart();
    autoStart.synchroniseAutoStart(store.getProfiles());
  }
  return fDone ? 0 : 1;
}
