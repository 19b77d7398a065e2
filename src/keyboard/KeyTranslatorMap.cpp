#include "KeyTranslatorMap.h"

#include "KeyTables.h"
#include "engine/Assert.h"
#include "settings/Registry.h"
#include "settings/RegistryMessages.h"

#include <cstdio>

const char* const KeyTranslatorMap::kszKeyTranslatorMap = "KeyTranslatorMap";

KeyTranslatorMap::KeyTranslatorMap()
{
  setDefault();
}

KeyTranslatorMap::KeyTranslatorMap(const KeyTranslatorMap& other)
{
  *this = other;
}

// Settings pages edit a copy of the profile's map, so a copy must own translators of its own.
KeyTranslatorMap& KeyTranslatorMap::operator=(const KeyTranslatorMap& other)
{
  if (this == &other)
    return *this;
  removeAll();
  for (const auto& entry : other.m_mapEntries)
  {
    KeyTranslator* pKeyTranslator = new KeyTranslator(*entry.second);
    QB_ASSERT(true == add(entry.first, pKeyTranslator));
  }
  return *this;
}

std::string KeyTranslatorMap::keyOf(unsigned char byCode)
{
  char szKey[8];
  std::snprintf(szKey, sizeof szKey, "%d", static_cast<int>(byCode));
  return szKey;
}

bool KeyTranslatorMap::lookup(const std::string& strKey, KeyTranslator*& pKeyTranslator) const
{
  auto it = m_mapEntries.find(strKey);
  if (it == m_mapEntries.end())
    return false;
  pKeyTranslator = it->second.get();
  return true;
}

KeyTranslator& KeyTranslatorMap::entryOf(unsigned char byCode) const
{
  KeyTranslator* pKeyTranslator = NULL;
  lookup(keyOf(byCode), pKeyTranslator);
  QB_ASSERT(NULL != pKeyTranslator);
  return *pKeyTranslator;
}

bool KeyTranslatorMap::add(const std::string& strKey, KeyTranslator* pKeyTranslator)
{
  QB_ASSERT(NULL != pKeyTranslator);
  if (m_mapEntries.count(strKey) != 0)
    return false;
  m_mapEntries.emplace(strKey, std::unique_ptr<KeyTranslator>(pKeyTranslator));
  return true;
}

bool KeyTranslatorMap::removeKey(const std::string& strKey)
{
  return m_mapEntries.erase(strKey) != 0;
}

void KeyTranslatorMap::removeAll()
{
  m_mapEntries.clear();
}

std::vector<const KeyTranslator*> KeyTranslatorMap::entries() const
{
  std::vector<const KeyTranslator*> rgEntries;
  rgEntries.reserve(m_mapEntries.size());
  for (const auto& entry : m_mapEntries)
    rgEntries.push_back(entry.second.get());
  return rgEntries;
}

bool KeyTranslatorMap::setDefault()
{
  removeAll();
  for (int i = 0; i < KeyTables::kcEntries; ++i)
  {
    KeyTables::ASCII2KeyCode record = KeyTables::defaultRecord(i);
    KeyTranslator* pKeyTranslator = new KeyTranslator();
    QB_ASSERT(true == pKeyTranslator->setASCII(i));
    QB_ASSERT(true == pKeyTranslator->setKeyCode(record.byKeyCode));
    pKeyTranslator->setFlagBits(record.byFlags);
    std::string strKey = keyOf(static_cast<unsigned char>(i));
    QB_ASSERT(true == add(strKey, pKeyTranslator));
  }
  return true;
}

// The scan code is written for readers of the stored value only; loading derives it again.
std::string KeyTranslatorMap::toStoredForm() const
{
  std::string strStored(KeyTables::kcbStoredMap, '\0');
  for (const auto& entry : m_mapEntries)
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
    KeyTranslator* pKeyTranslator = new KeyTranslator();
    QB_ASSERT(true == pKeyTranslator->setASCII(i));
    QB_ASSERT(true == pKeyTranslator->setKeyCode(pbyRecord[0]));
    pKeyTranslator->setFlagBits(pbyRecord[2]);
    std::string strKey = keyOf(static_cast<unsigned char>(i));
    if (!add(strKey, pKeyTranslator))
    {
      strError = "Failed to add the key translator (" + strKey + ") to the key translator map.";
      delete pKeyTranslator;
      return false;
    }
  }
  return true;
}

// A value that is missing or not binary is reported like any unreadable profile value; one of
// another size is most likely from an older version, and the message says what to do about it.
bool KeyTranslatorMap::loadKeyTranslatorMap(const Registry& regKey, std::string& strError)
{
  removeAll();
  uint32_t dwSize = 0;
  if (!regKey.hasKeyValueType(kszKeyTranslatorMap, Registry::kdwTypeBinary)
      || !regKey.getKeyValueSize(kszKeyTranslatorMap, dwSize))
  {
    strError = registrymessages::failedToRead(kszKeyTranslatorMap, regKey);
    return false;
  }
  if (dwSize != static_cast<uint32_t>(KeyTables::kcbStoredMap))
  {
    std::string strPath;
    regKey.getKeyPath(strPath);
    strError = std::string("Invalid size of key value ") + kszKeyTranslatorMap + " in subkey "
               + strPath + ". Was " + std::to_string(dwSize) + " bytes, should be "
               + std::to_string(KeyTables::kcbStoredMap)
               + ". Uninstall any earlier version of Quilbar and re-install this version. Please "
                 "note that any customized settings will be lost.";
    return false;
  }
  unsigned char rgbyStored[KeyTables::kcbStoredMap];
  uint32_t dwLen = sizeof(rgbyStored);
  if (!regKey.getKeyValue(kszKeyTranslatorMap, rgbyStored, dwLen) || dwLen != sizeof(rgbyStored))
  {
    strError = registrymessages::failedToRead(kszKeyTranslatorMap, regKey);
    return false;
  }
  return fromStoredForm(rgbyStored, strError);
}

bool KeyTranslatorMap::saveKeyTranslatorMap(Registry& regKey) const
{
  QB_ASSERT(true == regKey.isOpen());
  std::string strStored = toStoredForm();
  return regKey.createKeyValue(kszKeyTranslatorMap,
                               reinterpret_cast<const unsigned char*>(strStored.data()),
                               static_cast<uint32_t>(strStored.size()));
}
