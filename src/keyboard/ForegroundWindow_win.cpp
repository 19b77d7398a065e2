#include "ForegroundWindow_win.h"

#include <vector>

namespace
{
HWND s_hwndMain = NULL;
}

void SystemForegroundWindow::setMainWindow(HWND hwndMain)
{
  s_hwndMain = hwndMain;
}

HWND SystemForegroundWindow::getMainWindow()
{
  return s_hwndMain;
}

bool SystemForegroundWindow::getTitle(std::string& strTitle) const
{
  HWND hwnd = GetForegroundWindow();
  if (hwnd == NULL || !IsWindow(hwnd))
    return false;
  int nLength = GetWindowTextLengthA(hwnd);
  std::vector<char> rgchTitle(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
  int nCopied = GetWindowTextA(hwnd, rgchTitle.data(), static_cast<int>(rgchTitle.size()));
  strTitle.assign(rgchTitle.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
  return true;
}

bool SystemForegroundWindow::isOwnMainWindow() const
{
  return s_hwndMain != NULL && GetForegroundWindow() == s_hwndMain;
}
