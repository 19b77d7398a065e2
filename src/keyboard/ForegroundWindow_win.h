#pragma once

#include "ForegroundWindow.h"

#include <windows.h>

// The system's foreground window, compared with the program's main window.
class SystemForegroundWindow : public ForegroundWindow
{
public:
  // Made known once the main window exists; until then no window counts as our own.
  static void setMainWindow(HWND hwndMain);
  static HWND getMainWindow();

  bool getTitle(std::string& strTitle) const override;
  bool isOwnMainWindow() const override;
};
