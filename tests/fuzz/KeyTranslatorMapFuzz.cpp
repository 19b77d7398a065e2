// Stored key translator maps come from the registry, where any bytes may stand; typing any text
// through any loaded map must stay within the map and the key tables.
#include "keyboard/KeyTables.h"
#include "keyboard/KeyTranslatorMap.h"
#include "keyboard/KeystrokePlanner.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbyData, size_t cbData)
{
  if (cbData < static_cast<size_t>(KeyTables::kcbStoredMap) + 1)
    return 0;
  KeyTranslatorMap map;
  std::string strError;
  if (!map.fromStoredForm(pbyData, strError) || map.getCount() != KeyTables::kcEntries)
    std::abort();

  // The loaded map saves back to the same key codes and flags (bit 7 dropped, scan codes derived).
  std::string strStored = map.toStoredForm();
  for (int i = 0; i < KeyTables::kcEntries; ++i)
  {
    if (static_cast<uint8_t>(strStored[i * 3]) != pbyData[i * 3] ||
        static_cast<uint8_t>(strStored[i * 3 + 2]) != (pbyData[i * 3 + 2] & 0x7F))
      std::abort();
  }

  int nCapsState = pbyData[KeyTables::kcbStoredMap] & 1;
  std::string strText(reinterpret_cast<const char*>(pbyData) + KeyTables::kcbStoredMap + 1,
                      cbData - KeyTables::kcbStoredMap - 1);
  strText = strText.c_str();
  KeystrokePlan planTyped = KeystrokePlanner::planText(strText.c_str(), map, nCapsState, 0, false);
  KeystrokePlan planDescribed = KeystrokePlanner::planText(strText.c_str(), map, nCapsState, 0, true);
  if (planTyped.strReport != planDescribed.strReport || !planDescribed.rgSteps.empty())
    std::abort();
  return 0;
}
