// Writes the settings tree that the program's first run creates, as a registry file (REGEDIT4),
// so that the installer, which has the administrator rights the first run needs, can create it
// for every user. The tree comes from the program's own store code running on the in-memory
// registry of the native build, so it is exactly what a first run writes.
//
//   first_run_settings            prints the file
#include "base/Registry.h"
#include "settings/QuilbarProfileStore.h"

#include <cstdio>
#include <string>

namespace
{
std::string quoted(const std::string& strText)
{
  std::string strOut = "\"";
  for (char ch : strText)
  {
    if (ch == '\\' || ch == '"')
      strOut += '\\';
    strOut += ch;
  }
  return strOut + "\"";
}

// Long binary values are continued on the next line, as the registry editor writes them.
std::string hexBytes(const char* pszPrefix, const unsigned char* pData, size_t nLength)
{
  std::string strOut = pszPrefix;
  size_t nColumn = strOut.size();
  for (size_t i = 0; i < nLength; ++i)
  {
    char szByte[4];
    std::snprintf(szByte, sizeof szByte, "%02x", pData[i]);
    strOut += szByte;
    nColumn += 2;
    if (i + 1 < nLength)
    {
      strOut += ',';
      ++nColumn;
      if (nColumn > 75)
      {
        strOut += "\\\n  ";
        nColumn = 2;
      }
    }
  }
  return strOut;
}

std::string valueLine(const Registry& key, const std::string& strName)
{
  uint32_t dwType = 0;
  std::string strLine = quoted(strName) + "=";
  if (!key.getKeyValueType(strName.c_str(), dwType))
    return std::string();
  if (dwType == Registry::kdwTypeDword)
  {
    uint32_t dwValue = 0;
    key.getKeyValue(strName.c_str(), dwValue);
    char szValue[16];
    std::snprintf(szValue, sizeof szValue, "dword:%08x", dwValue);
    return strLine + szValue;
  }
  if (dwType == Registry::kdwTypeString)
  {
    std::string strValue;
    key.getKeyValue(strName.c_str(), strValue);
    return strLine + quoted(strValue);
  }
  if (dwType == Registry::kdwTypeMultiString)
  {
    TextList rgText;
    key.getKeyValue(strName.c_str(), rgText);
    std::string strRaw;
    for (const std::string& strItem : rgText)
      strRaw += strItem + '\0';
    strRaw += '\0';
    return strLine + hexBytes("hex(7):", reinterpret_cast<const unsigned char*>(strRaw.data()), strRaw.size());
  }
  uint32_t dwSize = 0;
  key.getKeyValueSize(strName.c_str(), dwSize);
  std::string strData(dwSize, '\0');
  key.getKeyValue(strName.c_str(), reinterpret_cast<unsigned char*>(&strData[0]), dwSize);
  return strLine + hexBytes("hex:", reinterpret_cast<const unsigned char*>(strData.data()), dwSize);
}

// The key, its values in name order, then its sub-keys, depth first.
bool writeKey(const std::string& strPath, std::string& strOut)
{
  Registry key;
  if (!key.openKey(strPath, Registry::kdwAccessRead))
    return false;
  strOut += "\n[" + strPath + "]\n";
  TextList rgNames;
  if (!key.getKeyValueNames(rgNames))
    return false;
  for (const std::string& strName : rgNames)
    strOut += valueLine(key, strName) + "\n";
  TextList rgSubKeys;
  if (!key.getSubKeys(rgSubKeys))
    return false;
  for (const std::string& strSubKey : rgSubKeys)
    if (!writeKey(strPath + "\\" + strSubKey, strOut))
      return false;
  return true;
}
}  // namespace

int main()
{
  QuilbarProfileStore store;
  std::string strError;
  if (!store.loadSettings(strError))
  {
    std::fprintf(stderr, "first_run_settings: the first run failed: %s\n", strError.c_str());
    return 1;
  }
  std::string strOut = "REGEDIT4\n";
  if (!writeKey(store.getSettingsKeyPath(), strOut))
  {
    std::fprintf(stderr, "first_run_settings: cannot read back %s\n", store.getSettingsKeyPath().c_str());
    return 1;
  }
  std::fwrite(strOut.data(), 1, strOut.size(), stdout);
  return 0;
}
