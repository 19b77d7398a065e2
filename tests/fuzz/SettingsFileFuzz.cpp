// Settings files as anyone could write them: the parser never crashes or reads out of bounds,
// whatever it accepts it writes out so that it reads back the same, and the import of any file
// either refuses it or leaves settings that load. The first byte chooses the form: odd makes the
// rest UTF-16 (one code unit a byte, with the byte order mark), even leaves it 8-bit.
#include "base/RegistryFile.h"
#include "settings/QuilbarProfileStore.h"
#include "settings/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
bool sameValues(const RegistryFileValue& a, const RegistryFileValue& b)
{
  return a.strName == b.strName && a.fDefault == b.fDefault && a.dwType == b.dwType && a.strData == b.strData;
}

// What the writer keeps: every key and value but the deletions.
std::vector<RegistryFileKey> withoutDeletions(const std::vector<RegistryFileKey>& rgKeys)
{
  std::vector<RegistryFileKey> rgKept;
  for (const RegistryFileKey& key : rgKeys)
  {
    if (key.fDelete)
      continue;
    RegistryFileKey kept = key;
    kept.rgValues.clear();
    for (const RegistryFileValue& value : key.rgValues)
      if (!value.fDelete)
        kept.rgValues.push_back(value);
    rgKept.push_back(kept);
  }
  return rgKept;
}

void checkRoundTrip(const std::vector<RegistryFileKey>& rgKeys)
{
  std::vector<RegistryFileKey> rgExpected = withoutDeletions(rgKeys);
  std::vector<RegistryFileKey> rgBack;
  std::string strError;
  if (!RegistryFile::parse(RegistryFile::write(rgExpected), rgBack, strError) || rgBack.size() != rgExpected.size())
    std::abort();
  for (size_t i = 0; i < rgBack.size(); ++i)
  {
    if (rgBack[i].strPath != rgExpected[i].strPath || rgBack[i].rgValues.size() != rgExpected[i].rgValues.size())
      std::abort();
    for (size_t j = 0; j < rgBack[i].rgValues.size(); ++j)
      if (!sameValues(rgBack[i].rgValues[j], rgExpected[i].rgValues[j]))
        std::abort();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize == 0)
    return 0;
  std::string strBytes;
  if (pData[0] & 1)
  {
    strBytes = "\xFF\xFE";
    for (size_t i = 1; i < nSize; ++i)
    {
      strBytes += static_cast<char>(pData[i]);
      strBytes += '\0';
    }
  }
  else
    strBytes.assign(reinterpret_cast<const char*>(pData) + 1, nSize - 1);

  std::vector<RegistryFileKey> rgKeys;
  std::string strError;
  if (RegistryFile::parse(strBytes, rgKeys, strError))
    checkRoundTrip(rgKeys);
  else if (strError.empty() || strError.find('\n') != std::string::npos)
    std::abort();

  QuilbarProfileStore store("HKEY_LOCAL_MACHINE\\Software\\Fuzz");
  if (SettingsFile::importSettings(strBytes, store, strError))
  {
    QuilbarProfileStore loaded("HKEY_LOCAL_MACHINE\\Software\\Fuzz");
    if (!loaded.loadSettings(strError))
      std::abort();
  }
  return 0;
}
