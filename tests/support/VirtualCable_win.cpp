#include "VirtualCable_win.h"

#include "TestSupport.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <vector>

VirtualCable::VirtualCable(const char* pszFarEnd) : m_strFarEnd(pszFarEnd)
{
  char szHarness[MAX_PATH] = "";
  DWORD cch = GetEnvironmentVariableA("QUILBAR_WINE_HARNESS", szHarness, MAX_PATH);
  if (cch == 0 || cch >= MAX_PATH)
    return;
  std::string strHarness = szHarness;
  std::replace(strHarness.begin(), strHarness.end(), '/', '\\');
  m_strHarness = "Z:" + strHarness;
}

bool VirtualCable::run(const char* pszVerb)
{
  std::string strCommand = "\"" + m_strHarness + "\" " + pszVerb + " " + m_strFarEnd;
  std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, rgchCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool VirtualCable::waitFarEnd(bool fPresent) const
{
  std::string strDevice = "\\\\.\\" + m_strFarEnd;
  return testsupport::waitUntil(
      [&] {
        HANDLE hPort = CreateFileA(strDevice.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hPort == INVALID_HANDLE_VALUE)
          return !fPresent;
        CloseHandle(hPort);
        return fPresent;
      },
      std::chrono::milliseconds(20000), std::chrono::milliseconds(50));
}
