#pragma once

#include <windows.h>

#include <string>

// Private messages of the main window.
const UINT WM_SETTRAYSTATE = WM_USER + 1;  // wParam: tray state 0..3
const UINT WM_DATASTRING = WM_USER + 2;    // lParam: data string from the process heap

enum TrayState
{
  kTrayStateIdle = 0,
  kTrayStateData = 1,
  kTrayStateSent = 2,
  kTrayStatePin = 3,
};

// Posts a copy of the data string from the process heap as WM_DATASTRING; the window owns the
// copy once this returns true. False when the copy or the post failed (nothing then leaked). A
// window that no longer exists takes nothing: true, the string has nobody to go to.
bool PostDataString(HWND hwndOwner, const std::string& strDataString);

// The receiving side: the text of a WM_DATASTRING lParam, and the block freed.
std::string takeDataString(LPARAM lParam);
