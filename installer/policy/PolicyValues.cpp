// Prints every value the program reads from its policy key, one a line: the name, a blank and
// REG_SZ, REG_DWORD or REG_MULTI_SZ. The template check compares the templates with this list.
#include "base/Registry.h"
#include "settings/SettingsPolicy.h"

#include <cstdio>

int main()
{
  for (const SettingsPolicy::ReadValue& value : SettingsPolicy::readValues())
  {
    const char* pszType = value.dwType == Registry::kdwTypeString   ? "REG_SZ"
                          : value.dwType == Registry::kdwTypeDword  ? "REG_DWORD"
                                                                    : "REG_MULTI_SZ";
    std::printf("%s %s\n", value.strName.c_str(), pszType);
  }
  return 0;
}
