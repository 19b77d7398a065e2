#pragma once

#include <windows.h>

#include <string>

// The tray icon's menu (a right click): the main window's commands and the monitor. The main
// window's own controls stay as they are; the menu reaches the same handlers.
class TrayMenu
{
public:
  // Commands of the menu beside the main window's control ids (Settings, Hide, and IDOK for Unload).
  static constexpr int knOpen = 2001;
  static constexpr int knMonitor = 2002;

  // Shows the menu at the mouse and returns the chosen command, or 0.
  static int choose(HWND hwndOwner, bool fSettingsEnabled);
  // Starts "QuilbarMonitor.exe" from beside the program; false with the reason in strError.
  static bool startMonitor(std::string& strError);
};
