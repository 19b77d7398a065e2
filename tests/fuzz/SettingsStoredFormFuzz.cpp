// Whatever the registry holds must be read without a crash or an out-of-bounds read: key paths
// (with quotes), text lists without their final zeros, texts without a zero, numbers of odd
// sizes, InitString caret pairs, and a whole profile key with any one value replaced by arbitrary
// bytes of an arbitrary type. Runs on the native in-memory hive.
#include "settings/QuilbarProfile.h"
#include "base/Registry.h"
#include "base/RegistryApi.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{
// Where a value is overwritten: the profile key or one of the record keys below it.
struct Target
{
  const char* pszSubKey;
  const char* pszValue;
};
const Target krgTargets[] = {
    {"", "Name"}, {"", "Port"}, {"", "DTR"}, {"", "CTSHigh"}, {"", "DuplicateFilterTime"},
    {"", "InitString"}, {"", "KeyCase"}, {"", "AutoStart"}, {"", "HideOnStartup"},
    {"", "Logging"}, {"", "LogFilename"}, {"", "Titles"}, {"", "TerminationType"},
    {"", "DataStringTerminator"}, {"", "KeyTranslatorMap"}, {"", "HoldForLockedWindow"}, {"", "HoldTimeLimit"}, {"", "GS1InputForms"},
    {"\\DataEditFormat0", "Name"}, {"\\DataEditFormat0", "Order"}, {"\\DataEditFormat0", "Output"},
    {"\\DataEditFormat0\\Criteria0", "Type"}, {"\\DataEditFormat0\\Criteria0", "MinLength"},
    {"\\DataEditFormat0\\Criteria0", "StartPosition"}, {"\\DataEditFormat0\\Criteria0", "Expression"},
    {"\\DataEditFormat0\\Criteria0", "FieldsPresent"},
    {"\\Replacement0", "Order"}, {"\\Replacement0", "Input"}, {"\\Replacement0", "Replace"}};
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

  // A profile key with a format, a criterion and a replacement; one value overwritten by the
  // raw input.
  Registry key;
  Registry software;
  QuilbarProfile profile;
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput("a");
  profile.getReplacementMap().add(std::move(pReplacement));
  if (!software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll)
      || !software.createSubKey("Fuzz", key) || !profile.saveToRegistry(key))
    std::abort();
  const Target& target = krgTargets[pData[0] % (sizeof(krgTargets) / sizeof(krgTargets[0]))];
  std::string strRawPath = std::string("Software\\Fuzz") + target.pszSubKey;
  void* hkRaw = nullptr;
  if (regapi::openKey(regapi::rootKey(regapi::Root::LocalMachine), strRawPath.c_str(),
                      Registry::kdwAccessAll, hkRaw) != regapi::kSuccess)
    std::abort();
  regapi::setValue(hkRaw, target.pszValue, krgTypes[pData[1] % 4],
                   reinterpret_cast<const unsigned char*>(strRest.data()),
                   static_cast<uint32_t>(strRest.size()));
  regapi::closeKey(hkRaw);

  readEveryWay(key, target.pszValue);
  QuilbarProfile loaded;
  std::string strError;
  loaded.loadFromRegistry(key, strError);
  software.deleteSubKey("Fuzz");
  return 0;
}
