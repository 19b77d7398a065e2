#include "SystemTargetKeyboard_win.h"

#include <cstring>

namespace
{
// Wine's ntdll exports its version; Windows' does not.
bool runsUnderWine()
{
  HMODULE hNtdll = GetModuleHandleA("ntdll.dll");
  return hNtdll != nullptr && GetProcAddress(hNtdll, "wine_get_version") != nullptr;
}

// Windows' console host and Wine's: both drop Unicode character events, which carry no key.
bool isConsoleClass(const char* pszClass)
{
  return std::strcmp(pszClass, "ConsoleWindowClass") == 0 || std::strcmp(pszClass, "WineConsoleClass") == 0;
}
}  // namespace

const bool SystemTargetKeyboard::s_fWine = runsUnderWine();

SystemTargetKeyboard::SystemTargetKeyboard(HWND hwnd)
{
  DWORD dwThread = hwnd != nullptr ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
  m_hkl = GetKeyboardLayout(dwThread);
  char szClass[64] = "";
  if (hwnd != nullptr)
    GetClassNameA(hwnd, szClass, sizeof szClass);
  m_fConsole = isConsoleClass(szClass);
}

// Only a key that makes the character by itself: a dead key would wait for the next one, and
// looking at the layout's dead keys with ToUnicodeEx would disturb the user's own pending accent.
// Wine takes the AltGr state of injected keys from the last real key event, so under Wine a
// character that needs AltGr counts as one the layout lacks.
bool SystemTargetKeyboard::keyOf(unsigned nCode, LayoutKey& key) const
{
  SHORT nScan = VkKeyScanExW(static_cast<WCHAR>(nCode), m_hkl);
  if (nScan == -1)
    return false;
  int nVirtualKey = nScan & 0xFF;
  int nModifiers = (nScan >> 8) & 0xFF;
  bool fAltGr = (nModifiers & 6) == 6;
  if ((nModifiers & ~7) != 0 || ((nModifiers & 6) != 0 && !fAltGr) || (fAltGr && s_fWine))
    return false;
  if ((MapVirtualKeyExW(static_cast<UINT>(nVirtualKey), MAPVK_VK_TO_CHAR, m_hkl) & 0x80000000u) != 0)
    return false;
  key.nVirtualKey = nVirtualKey;
  key.nScanCode = scanCodeOf(nVirtualKey);
  key.fShift = (nModifiers & 1) != 0;
  key.fControl = key.fAlt = fAltGr;
  return true;
}

int SystemTargetKeyboard::scanCodeOf(int nVirtualKey) const
{
  return static_cast<int>(MapVirtualKeyExW(static_cast<UINT>(nVirtualKey), MAPVK_VK_TO_VSC, m_hkl) & 0xFF);
}
