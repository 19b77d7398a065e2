#include "QuilbarWindowFinder_win.h"

#include "QuilbarWindowTitle.h"

namespace
{
BOOL CALLBACK testTitle(HWND hwnd, LPARAM lParam)
{
  char szTitle[QuilbarWindowTitle::kcchMaxTitle + 1] = "";
  GetWindowTextA(hwnd, szTitle, sizeof(szTitle));
  if (!QuilbarWindowTitle::isQuilbarMainWindow(szTitle))
    return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}
}  // namespace

HWND findQuilbarMainWindow()
{
  HWND hwndFound = NULL;
  EnumWindows(testTitle, reinterpret_cast<LPARAM>(&hwndFound));
  return hwndFound;
}
