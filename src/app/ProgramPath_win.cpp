#include "ProgramPath_win.h"

#include <windows.h>

#include <vector>

// Long paths are read in full: the buffer grows until the name fits.
std::string programFileName()
{
  std::vector<char> rgchPath(MAX_PATH);
  for (;;)
  {
    DWORD cch = GetModuleFileNameA(nullptr, rgchPath.data(), static_cast<DWORD>(rgchPath.size()));
    if (cch == 0)
      return std::string();
    if (cch < rgchPath.size())
      return std::string(rgchPath.data(), cch);
    if (rgchPath.size() >= 32768)
      return std::string();
    rgchPath.resize(rgchPath.size() * 2);
  }
}

bool programShortPath(std::string& strShortPath)
{
  std::string strLong = programFileName();
  if (strLong.empty())
    return false;
  strShortPath = strLong;
  DWORD cch = GetShortPathNameA(strLong.c_str(), nullptr, 0);
  if (cch == 0)
    return true;
  std::vector<char> rgchShort(cch + 1);
  DWORD cchCopied = GetShortPathNameA(strLong.c_str(), rgchShort.data(), static_cast<DWORD>(rgchShort.size()));
  if (cchCopied != 0 && cchCopied < rgchShort.size())
    strShortPath.assign(rgchShort.data(), cchCopied);
  return true;
}
