#include "RegistryFill.h"

bool plantKey(const Registry& parent, const std::string& strSubKey,
              const std::vector<StoredValue>& values)
{
  Registry key;
  if (!parent.createSubKey(strSubKey, key))
    return false;
  for (const StoredValue& value : values)
  {
    bool fWritten = value.fText ? key.createKeyValue(value.pszName, value.strText)
                                : key.createKeyValue(value.pszName, value.dwValue);
    if (!fWritten)
      return false;
  }
  return true;
}
