#include "CommandLine.h"

#include <cctype>

namespace commandline
{
bool isCleanSwitch(const std::string& strCommandLine)
{
  static const char kszClean[] = "/clean";
  if (strCommandLine.size() != sizeof(kszClean) - 1)
    return false;
  for (size_t i = 0; i < strCommandLine.size(); ++i)
  {
    if (std::tolower(static_cast<unsigned char>(strCommandLine[i])) != kszClean[i])
      return false;
  }
  return true;
}
}  // namespace commandline
