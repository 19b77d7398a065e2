#include "MainWindowBox_win.h"

#include "MainWindowForm.h"

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

void showMainWindowBox(HWND hwndMain, MainWindowBox box, const std::string& strText)
{
  static const char kszCaption[] = "Quilbar";
  switch (box)
  {
  case MainWindowBox::kSettingsUnreadable:
    showMainWindowBox(hwndMain, strText, kszCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND | MB_TOPMOST);
    break;
  case MainWindowBox::kProfileMissing:
    showMainWindowBox(hwndMain, strText, kszCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
    break;
  case MainWindowBox::kProfileNameTooShort:
    showMainWindowBox(hwndMain, strText, MainWindowForm::kszProfileNameTooShortCaption, MB_OK | MB_ICONEXCLAMATION);
    break;
  }
}
