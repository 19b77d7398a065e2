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

namespace
{
bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

bool startsWithSwitch(const std::string& strCommandLine, const char* pszSwitch, size_t& nEnd)
{
  size_t i = 0;
  for (; pszSwitch[i] != '\0'; ++i)
  {
    if (i >= strCommandLine.size() || std::tolower(static_cast<unsigned char>(strCommandLine[i])) != pszSwitch[i])
      return false;
  }
  nEnd = i;
  return i == strCommandLine.size() || isBlank(strCommandLine[i]);
}

// The rest of the command line as one file name: blanks around it dropped, and the quotes around
// a name that holds blanks.
std::string fileName(const std::string& strRest)
{
  size_t nStart = 0;
  size_t nEnd = strRest.size();
  while (nStart < nEnd && isBlank(strRest[nStart]))
    ++nStart;
  while (nEnd > nStart && isBlank(strRest[nEnd - 1]))
    --nEnd;
  if (nEnd - nStart >= 2 && strRest[nStart] == '"' && strRest[nEnd - 1] == '"')
  {
    ++nStart;
    --nEnd;
  }
  return strRest.substr(nStart, nEnd - nStart);
}
}  // namespace

SettingsSwitch settingsFileSwitch(const std::string& strCommandLine, std::string& strFile)
{
  size_t nEnd = 0;
  SettingsSwitch kind = startsWithSwitch(strCommandLine, "/export", nEnd)   ? SettingsSwitch::Export
                        : startsWithSwitch(strCommandLine, "/import", nEnd) ? SettingsSwitch::Import
                                                                            : SettingsSwitch::None;
  strFile = kind == SettingsSwitch::None ? std::string() : fileName(strCommandLine.substr(nEnd));
  return kind;
}
}  // namespace commandline
