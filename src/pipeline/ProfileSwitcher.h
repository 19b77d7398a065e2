#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The main window's profile list, for the switch an output expression asked for.
class ProfileSwitcher
{
public:
  virtual ~ProfileSwitcher() = default;

  // The entries of the profile list, in list order.
  virtual std::vector<std::string> getProfileNames() const = 0;
  // Selects the entry, makes strName the current profile and switches to it as if the user had
  // picked that entry.
  virtual void switchToProfile(size_t nIndex, const std::string& strName) = 0;
};
