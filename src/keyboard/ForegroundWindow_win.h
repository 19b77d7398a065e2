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

  uintptr_t windowId() const override;
  bool getTitle(std::string& strTitle) const override;
  bool getClassName(std::string& strClass) const override;
  std::unique_ptr<TargetKeyboard> targetKeyboard() const override;
  bool isOwnMainWindow() const override;
  bool isAboveOwnIntegrity() const override;

private:
  // The last window asked about, and its answer: asked before every character typed.
  mutable HWND m_hwndChecked = nullptr;
  mutable DWORD m_dwProcessChecked = 0;
  mutable bool m_fAboveChecked = false;
};
