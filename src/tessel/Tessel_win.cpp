// Tessel: keeps the caps-lock state for programs that never have the keyboard focus, with a
// system-wide keyboard hook and words shared by every process that maps this library.
#include "TesselState.h"

#include <windows.h>

// One copy of these words exists for all processes: the section is marked shared.
#if defined(_MSC_VER)
#pragma data_seg(".SHARDAT")
TesselSharedWords g_sharedWords = {};
#pragma data_seg()
#pragma comment(linker, "/SECTION:.SHARDAT,RWS")
#else
__attribute__((section(".SHARDAT"), shared)) TesselSharedWords g_sharedWords = {};
#endif

namespace
{
HINSTANCE s_hinstThis = NULL;

LRESULT CALLBACK keyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);

class Win32TesselPlatform : public TesselPlatform
{
public:
  int readCapsLockToggle() override { return GetKeyState(VK_CAPITAL) & 1; }

  // Installed from this instance's own module handle, which is valid in this process whatever
  // another process recorded.
  std::intptr_t installHook(std::intptr_t) override
  {
    return reinterpret_cast<std::intptr_t>(SetWindowsHookExA(WH_KEYBOARD, keyboardHookProc, s_hinstThis, 0));
  }

  void removeHook(std::intptr_t nHook) override { UnhookWindowsHookEx(reinterpret_cast<HHOOK>(nHook)); }

  std::uint32_t currentProcessId() override { return GetCurrentProcessId(); }

  std::uint32_t currentSessionId() override
  {
    DWORD dwSession = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &dwSession);
    return dwSession;
  }

  // A process of this session that exists but may not be opened by this one (another user's, or
  // an elevated one) is alive too.
  bool isProcessAlive(std::uint32_t nProcessId) override
  {
    HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, nProcessId);
    if (hProcess == NULL)
      return GetLastError() == ERROR_ACCESS_DENIED;
    bool fAlive = WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT;
    CloseHandle(hProcess);
    return fAlive;
  }
};

Win32TesselPlatform s_platform;
TesselState s_state(g_sharedWords, s_platform);

LRESULT CALLBACK keyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
  s_state.keyNotified(nCode, static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam));
  return CallNextHookEx(NULL, nCode, wParam, lParam);
}
}  // namespace

extern "C" __declspec(dllexport) int __cdecl GetCapsLockState()
{
  return s_state.getCapsLockState();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDll, DWORD dwReason, LPVOID)
{
  switch (dwReason)
  {
  case DLL_PROCESS_ATTACH:
    s_hinstThis = hinstDll;
    return s_state.processAttach(reinterpret_cast<std::intptr_t>(hinstDll)) ? TRUE : FALSE;
  case DLL_PROCESS_DETACH:
    s_state.processDetach();
    return TRUE;
  default:
    return TRUE;
  }
}
