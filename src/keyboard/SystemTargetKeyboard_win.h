#pragma once

#include "TargetKeyboard.h"

#include <windows.h>

// The keyboard layout of a window's thread, as the system maps characters to its keys.
class SystemTargetKeyboard : public TargetKeyboard
{
public:
  explicit SystemTargetKeyboard(HWND hwnd);

  bool keyOf(unsigned nCode, LayoutKey& key) const override;
  int scanCodeOf(int nVirtualKey) const override;
  bool takesUnicode() const override { return !m_fConsole; }
  bool takesAltNumpad() const override { return !s_fWine; }

private:
  static const bool s_fWine;
  HKL m_hkl = nullptr;
  bool m_fConsole = false;
};
