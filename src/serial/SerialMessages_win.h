#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
// copy once this returns true. False when the window does not exist, or the copy or the post
// failed (nothing then leaked): the caller keeps the string.
bool PostDataString(HWND hwndOwner, const std::string& strDataString);

// The receiving side of WM_DATASTRING. Any program can post that message to the window, so lParam
// is taken only when it is a block PostDataString handed to this window and not taken yet: that
// block, and any handed to the window before it whose messages never came, are appended to
// rgstrDataStrings oldest first and freed. Anything else (a forged lParam, a block taken already)
// is neither read nor freed, and the result is false.
bool takeDataStrings(HWND hwnd, LPARAM lParam, std::vector<std::string>& rgstrDataStrings);
// Every block still handed to the window, taken and freed; for a window that is going away.
std::vector<std::string> takeAllDataStrings(HWND hwnd);
