// Whatever the registry holds must be read without a crash or an out-of-bounds read: key paths
// (with quotes), text lists without their final zeros, texts without a zero, numbers of odd
// sizes, InitString caret pairs, and a whole profile key with any one value replaced by arbitrary
// bytes of an arbitrary type. Runs on the native in-memory hive.
#include "QuilbarProfile.h"
#include "Registry.h"
#include "RegistryApi.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
const char* const krgValueNames[] = {
    "Name", "Port", "Speed", "Data", "Parity", "Stop", "DTR", "RTS", "CTSHigh",
    "DuplicateFilterTime", "InitString", "KeyCase", "IntercharacterDelay", "AutoStart",
    "HideOnStartup", "Logging", "LogFilename", "Titles", "FilterUnkownDataStrings",
    "TerminationType", "TerminationTimeout", "DataStringTerminator"};
const uint32_t krgTypes[] = {Registry::kdwTypeString, Registry::kdwTypeBinary,
                             Registry::kdwTypeDword, Registry::kdwTypeMultiString};

void readEveryWay(const Registry& key, const char* pszName)
{
  std::string strText;
  uint32_t dwValue = 0;
  unsigned char rgBytes[16];
  uint32_t dwLen = sizeof(rgBytes);
  TextList rgList;
  if (key.getKeyValue(pszName, strText) && strText.find('\0') != std::string::npos)
    std::abort();
  key.getKeyValue(pszName, dwValue);
  if (key.getKeyValue(pszName, rgBytes, dwLen) && dwLen > sizeof(rgBytes))
    std::abort();
  if (key.getKeyValue(pszName, rgList))
  {
    for (const std::string& strItem : rgList)
    {
      if (strItem.empty() || strItem.find('\0') != std::string::npos)
        std::abort();
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize < 2)
    return 0;
  std::string strRest(reinterpret_cast<const char*>(pData) + 2, nSize - 2);

  Registry path;
  path.openKey(strRest, Registry::kdwAccessRead);
  Registry::splitPath(strRest);
  QuilbarProfile::encodeInitString(strRest);

  // A default profile key with one value overwritten by the raw input.
  Registry key;
  Registry software;
  if (!software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll)
      || !software.createSubKey("Fuzz", key) || !QuilbarProfile().saveToRegistry(key))
    std::abort();
  const char* pszName = krgValueNames[pData[0] % (sizeof(krgValueNames) / sizeof(krgValueNames[0]))];
  void* hkRaw = nullptr;
  if (regapi::openKey(regapi::rootKey(regapi::Root::LocalMachine), "Software\\Fuzz",
                      Registry::kdwAccessAll, hkRaw) != regapi::kSuccess)
    std::abort();
  regapi::setValue(hkRaw, pszName, krgTypes[pData[1] % 4],
                   reinterpret_cast<const unsigned char*>(strRest.data()),
                   static_cast<uint32_t>(strRest.size()));
  regapi::closeKey(hkRaw);

  readEveryWay(key, pszName);
  QuilbarProfile loaded;
  std::string strError;
  loaded.loadFromRegistry(key, strError);
  software.deleteSubKey("Fuzz");
  return 0;
}
