#include "ReplacementMap.h"

#include "base/Assert.h"
#include "RecordOrder.h"
#include "base/RecordSubKeys.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"

bool ReplacementMap::add(std::unique_ptr<Replacement> pReplacement)
{
  QB_ASSERT(NULL != pReplacement);
  std::string strKey = pReplacement->getKey();
  return addUnder(strKey, std::move(pReplacement));
}

Replacement* ReplacementMap::lookupByOrder(int nOrder)
{
  return findByOrder(getEntries(), nOrder);
}

const Replacement* ReplacementMap::lookupByOrder(int nOrder) const
{
  return findByOrder(getEntries(), nOrder);
}

bool ReplacementMap::isOrderConsistent() const
{
  return isOrderConsecutive(getEntries());
}

int ReplacementMap::applyReplacements(std::string& strData) const
{
  int cTotal = 0;
  for (const Replacement* pReplacement : recordsByOrder<const Replacement>(getEntries()))
    cTotal += pReplacement->apply(strData);
  return cTotal;
}

const char ReplacementMap::kszCorruptedOrder[] =
    "Replacement strings stored in the registry are corrupted. Duplicate or non-consecutive values "
    "of the attribute order. Manual editing or import of registry settings has probably caused "
    "this.";

namespace
{
const char kszReplacementKeyPrefix[] = "Replacement";
}  // namespace

// Only "Replacement..." sub-keys (exact letter case) are replacements; the numbers in their names
// carry no meaning, the Order values do.
bool ReplacementMap::loadFromRegistry(const Registry& regProfileKey, std::string& strError)
{
  removeAll();
  auto fnAdd = [this](std::unique_ptr<Replacement> pReplacement, std::string& strAddError) {
    std::string strKey = pReplacement->getKey();
    if (add(std::move(pReplacement)))
      return true;
    strAddError = "Failed to add the input data replacement " + strKey
                  + " to the replacement map. Two registry subkeys hold the same texts.";
    return false;
  };
  if (!loadRecordSubKeys<Replacement>(regProfileKey, kszReplacementKeyPrefix, strError, fnAdd))
    return false;
  if (!isOrderConsistent())
  {
    strError = kszCorruptedOrder;
    return false;
  }
  return true;
}

bool ReplacementMap::saveToRegistry(Registry& regProfileKey) const
{
  QB_ASSERT(true == regProfileKey.isOpen());
  int nIndex = 0;
  for (const auto& entry : getEntries())
  {
    Registry regKey;
    if (!regProfileKey.createSubKey(kszReplacementKeyPrefix + std::to_string(nIndex++), regKey)
        || !entry.second->saveToRegistry(regKey) || !regKey.closeKey())
      return false;
  }
  return true;
}
