#pragma once

#include "MainWindowHost.h"

#include <windows.h>

#include <string>

// A message box of the main window's thread: owned by the main window while it is shown, by no
// window while it is hidden (modal to the thread all the same).
int showMainWindowBox(HWND hwndMain, const std::string& strText, const char* pszCaption, UINT uType);
// One of the main window's own boxes, with its caption, icon and buttons.
void showMainWindowBox(HWND hwndMain, MainWindowBox box, const std::string& strText);

// The owner such a box or the help viewer gets.
HWND mainWindowBoxOwner(HWND hwndMain);
