#include "TestProgramFiles_win.h"

#include <windows.h>

std::string besideThisTestProgram(const char* pszFileName)
{
  char szPath[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  std::string strPath = szPath;
  return strPath.substr(0, strPath.find_last_of("\\/") + 1) + pszFileName;
}
