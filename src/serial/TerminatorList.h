#pragma once

#include <string>
#include <vector>

// The byte strings that end a data string, built from the profile's terminator text: up to ten
// comma-separated fields in the control-character notation, a field in double quotes may hold
// commas ("" inside quotes is one quote).
class TerminatorList
{
public:
  static constexpr size_t kMaxTerminators = 10;

  TerminatorList() = default;
  explicit TerminatorList(const std::string& strDataStringTerminator);

  const std::vector<std::string>& items() const { return m_rgstrTerminators; }

  // The first terminator, in list order, with which strBuffer ends; nullptr when none.
  const std::string* findEnding(const std::string& strBuffer) const;

private:
  std::vector<std::string> m_rgstrTerminators;
};
