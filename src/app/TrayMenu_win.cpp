#include "TrayMenu_win.h"

#include "ProgramPath_win.h"
#include "ResourceIds.h"
#include "base/SystemError_win.h"

#include <vector>

namespace
{
const char kszMonitorFileName[] = "QuilbarMonitor.exe";
}  // namespace

// The owner comes to the front first and is nudged afterwards, or the menu would not close when
// the user clicks elsewhere (the documented behaviour of notification-area menus).
int TrayMenu::choose(HWND hwndOwner, bool fSettingsEnabled)
{
  HMENU hMenu = CreatePopupMenu();
  if (hMenu == NULL)
    return 0;
  AppendMenuA(hMenu, MF_STRING, knOpen, "&Open Quilbar");
  AppendMenuA(hMenu, MF_STRING | (fSettingsEnabled ? 0 : MF_GRAYED), IDC_MAIN_SETTINGS, "&Settings...");
  AppendMenuA(hMenu, MF_STRING, knMonitor, "&Monitor");
  AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(hMenu, MF_STRING, IDC_MAIN_HIDE, "&Hide");
  AppendMenuA(hMenu, MF_STRING, IDOK, "&Unload");
  SetMenuDefaultItem(hMenu, knOpen, FALSE);
  POINT pt;
  GetCursorPos(&pt);
  SetForegroundWindow(hwndOwner);
  int nCommand = static_cast<int>(
      TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, pt.x, pt.y, 0, hwndOwner, nullptr));
  PostMessageA(hwndOwner, WM_NULL, 0, 0);
  DestroyMenu(hMenu);
  return nCommand;
}

bool TrayMenu::startMonitor(std::string& strError)
{
  std::string strProgram = programFileName();
  size_t nSlash = strProgram.find_last_of("\\/");
  std::string strMonitor =
      nSlash == std::string::npos ? kszMonitorFileName : strProgram.substr(0, nSlash + 1) + kszMonitorFileName;
  std::string strCommand = "\"" + strMonitor + "\"";
  std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(strMonitor.c_str(), rgchCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
  {
    strError = "Unable to start the monitor " + strMonitor + ": " + systemErrorText(GetLastError());
    return false;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}
