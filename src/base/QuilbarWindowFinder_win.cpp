#include "QuilbarWindowFinder_win.h"

#include "QuilbarWindowTitle.h"

namespace
{
BOOL CALLBACK collectMainWindow(HWND hwnd, LPARAM lParam)
{
  char szTitle[QuilbarWindowTitle::kcchMaxTitle + 1] = "";
  GetWindowTextA(hwnd, szTitle, sizeof(szTitle));
  if (QuilbarWindowTitle::isQuilbarMainWindow(szTitle))
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> findQuilbarMainWindows()
{
  std::vector<HWND> rgHwnd;
  EnumWindows(collectMainWindow, reinterpret_cast<LPARAM>(&rgHwnd));
  return rgHwnd;
}

HWND findQuilbarMainWindow()
{
  std::vector<HWND> rgHwnd = findQuilbarMainWindows();
  return rgHwnd.empty() ? NULL : rgHwnd.front();
}
