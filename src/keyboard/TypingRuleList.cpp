#include "TypingRuleList.h"

#include "base/Assert.h"
#include "base/RecordSubKeys.h"

#include <algorithm>
#include <memory>

namespace
{
const char kszTypingRuleKeyPrefix[] = "TypingRule";
}

void TypingRuleList::setRules(const std::vector<TypingRule>& rgRules)
{
  m_rgRules = rgRules;
  for (size_t i = 0; i < m_rgRules.size(); ++i)
    m_rgRules[i].setOrder(static_cast<int>(i));
}

const TypingRule* TypingRuleList::ruleFor(const std::string& strTitle, const std::string& strClass) const
{
  for (const TypingRule& rule : m_rgRules)
    if (rule.matches(strTitle, strClass))
      return &rule;
  return nullptr;
}

// Sub-keys come in the registry's name order ("TypingRule10" before "TypingRule2"); the stored
// orders decide, and gaps or repeats from hand editing keep the relative order rather than fail.
bool TypingRuleList::loadFromRegistry(const Registry& regProfileKey, std::string& strError)
{
  std::vector<TypingRule> rgLoaded;
  auto fnAdd = [&rgLoaded](std::unique_ptr<TypingRule> pRule, std::string&) {
    rgLoaded.push_back(*pRule);
    return true;
  };
  m_rgRules.clear();
  if (!loadRecordSubKeys<TypingRule>(regProfileKey, kszTypingRuleKeyPrefix, strError, fnAdd))
    return false;
  std::stable_sort(rgLoaded.begin(), rgLoaded.end(),
                   [](const TypingRule& left, const TypingRule& right) { return left.getOrder() < right.getOrder(); });
  setRules(rgLoaded);
  return true;
}

bool TypingRuleList::saveToRegistry(Registry& regProfileKey) const
{
  QB_ASSERT(true == regProfileKey.isOpen());
  for (size_t i = 0; i < m_rgRules.size(); ++i)
  {
    Registry regKey;
    if (!regProfileKey.createSubKey(kszTypingRuleKeyPrefix + std::to_string(i), regKey) ||
        !m_rgRules[i].saveToRegistry(regKey) || !regKey.closeKey())
      return false;
  }
  return true;
}
