#pragma once

#include "TypingRule.h"

#include <string>
#include <vector>

class Registry;

// A profile's typing rules in the order they are tried; none by default.
class TypingRuleList
{
public:
  const std::vector<TypingRule>& rules() const { return m_rgRules; }
  // Replaces the rules; their orders become their positions.
  void setRules(const std::vector<TypingRule>& rgRules);
  bool empty() const { return m_rgRules.empty(); }

  // The first rule that matches the window; nullptr when none does.
  const TypingRule* ruleFor(const std::string& strTitle, const std::string& strClass) const;

  // The "TypingRule%d" sub-keys of a profile key. A failed load leaves no rules.
  bool loadFromRegistry(const Registry& regProfileKey, std::string& strError);
  bool saveToRegistry(Registry& regProfileKey) const;

  bool operator==(const TypingRuleList& other) const { return m_rgRules == other.m_rgRules; }

private:
  std::vector<TypingRule> m_rgRules;
};
