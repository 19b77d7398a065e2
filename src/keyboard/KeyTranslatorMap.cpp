#include "KeyTranslatorMap.h"

#include "KeyTables.h"
#include "base/Assert.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"

#include <cstdio>

const char KeyTranslatorMap::kszKeyTranslatorMap[] = "KeyTranslatorMap";

KeyTranslatorMap::KeyTranslatorMap()
{
  setDefault();
}

std::string KeyTranslatorMap::keyOf(unsigned char byCode)
{
  char szKey[8];
  std::snprintf(szKey, sizeof szKey, "%d", static_cast<int>(byCode));
  return szKey;
}

KeyTranslator& KeyTranslatorMap::entryOf(unsigned char byCode) const
{
  KeyTranslator* pKeyTranslator = find(keyOf(byCode));
  QB_ASSERT(NULL != pKeyTranslator);
  return *pKeyTranslator;
}

bool KeyTranslatorMap::add(const std::string& strKey, std::unique_ptr<KeyTranslator> pKeyTranslator)
{
  return addUnder(strKey, std::move(pKeyTranslator));
}

bool KeyTranslatorMap::setDefault()
{
  removeAll();
  for (int i = 0; i < KeyTables::kcEntries; ++i)
  {
    KeyTables::ASCII2KeyCode record = KeyTables::defaultRecord(i);
    auto pKeyTranslator = std::make_unique<KeyTranslator>();
    QB_ASSERT(true == pKeyTranslator->setASCII(i));
    QB_ASSERT(true == pKeyTranslator->setKeyCode(record.byKeyCode));
    pKeyTranslator->setFlagBits(record.byFlags);
    std::string strKey = keyOf(static_cast<unsigned char>(i));
    QB_ASSERT(true == add(strKey, std::move(pKeyTranslator)));
  }
  return true;
}

// The scan code is written for readers of the stored value only; loading derives it again.
std::string KeyTranslatorMap::toStoredForm() const
{
  std::string strStored(KeyTables::kcbStoredMap, '\0');
  for (const auto& entry : getEntries())
  {
    const KeyTranslator& keyTranslator = *entry.second;
    size_t nOffset = static_cast<size_t>(keyTranslator.getASCII()) * KeyTables::kcbASCII2KeyCode;
    strStored[nOffset] = static_cast<char>(keyTranslator.getKeyCode());
    strStored[nOffset + 1] = static_cast<char>(keyTranslator.getScanCode());
    strStored[nOffset + 2] = static_cast<char>(keyTranslator.getFlagBits());
  }
  return strStored;
}

bool KeyTranslatorMap::fromStoredForm(const unsigned char* pbyStored, std::string& strError)
{
  QB_ASSERT(NULL != pbyStored);
  removeAll();
  for (int i = 0; i < KeyTables::kcEntries; ++i)
  {
    const unsigned char* pbyRecord = pbyStored + i * KeyTables::kcbASCII2KeyCode;
    auto pKeyTranslator = std::make_unique<KeyTranslator>();
    QB_ASSERT(true == pKeyTranslator->setASCII(i));
    QB_ASSERT(true == pKeyTranslator->setKeyCode(pbyRecord[0]));
    pKeyTranslator->setFlagBits(pbyRecord[2]);
    std::string strKey = keyOf(static_cast<unsigned char>(i));
    if (!add(strKey, std::move(pKeyTranslator)))
    {
      strError = "Failed to add the key translator (" + strKey + ") to the key translator map.";
      return false;
    }
  }
  return true;
}

// A value of another size comes from an incompatible version; the text tells the user the way
// out. Whatever fails, the map is left complete with the default recipes, so a caller that
// carries on anyway can never type through a missing entry.
bool KeyTranslatorMap::loadKeyTranslatorMap(const Registry& regKey, std::string& strError)
{
  QB_ASSERT(true == regKey.isOpen());
  removeAll();
  if (!readStoredForm(regKey, strError))
  {
    setDefault();
    return false;
  }
  return true;
}

bool KeyTranslatorMap::readStoredForm(const Registry& regKey, std::string& strError)
{
  uint32_t dwSize = 0;
  if (!regKey.hasKeyValueType(kszKeyTranslatorMap, Registry::kdwTypeBinary) ||
      !regKey.getKeyValueSize(kszKeyTranslatorMap, dwSize))
  {
    strError = registrymessages::failedToRead(kszKeyTranslatorMap, regKey);
    return false;
  }
  if (dwSize != static_cast<uint32_t>(KeyTables::kcbStoredMap))
  {
    strError = invalidSizeMessage(regKey, dwSize);
    return false;
  }
  unsigned char rgbyStored[KeyTables::kcbStoredMap] = {};
  uint32_t dwRead = sizeof rgbyStored;
  if (!regKey.getKeyValue(kszKeyTranslatorMap, rgbyStored, dwRead) || dwRead != sizeof rgbyStored)
  {
    strError = registrymessages::failedToRead(kszKeyTranslatorMap, regKey);
    return false;
  }
  return fromStoredForm(rgbyStored, strError);
}

// Built by concatenation: the key path comes from the registry and may hold '%' of its own.
std::string KeyTranslatorMap::invalidSizeMessage(const Registry& regKey, uint32_t dwSize)
{
  std::string strPath;
  regKey.getKeyPath(strPath);
  return std::string("Invalid size of key value ") + kszKeyTranslatorMap + " in subkey " + strPath + ". Was " +
         std::to_string(dwSize) + " bytes, should be " + std::to_string(KeyTables::kcbStoredMap) +
         ". Uninstall any earlier version of Quilbar and re-install this version. Please note that any "
         "customized settings will be lost.";
}

bool KeyTranslatorMap::saveKeyTranslatorMap(Registry& regKey) const
{
  QB_ASSERT(true == regKey.isOpen());
  std::string strStored = toStoredForm();
  return regKey.createKeyValue(kszKeyTranslatorMap, reinterpret_cast<const unsigned char*>(strStored.data()),
                               static_cast<uint32_t>(strStored.size()));
}
