#include "MainWindowBox_win.h"

// A box owned by the hidden window would hand the activation back to it when it closes, and
// keystrokes are never typed while the program's own window is in front.
HWND mainWindowBoxOwner(HWND hwndMain)
{
  return IsWindowVisible(hwndMain) ? hwndMain : nullptr;
}

int showMainWindowBox(HWND hwndMain, const std::string& strText, const char* pszCaption, UINT uType)
{
  HWND hwndOwner = mainWindowBoxOwner(hwndMain);
  return MessageBoxA(hwndOwner, strText.c_str(), pszCaption, uType | (hwndOwner == nullptr ? MB_TASKMODAL : 0));
}
