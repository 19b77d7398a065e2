#include "ForegroundWindow_win.h"

#include "IntegrityLevel.h"
#include "SystemTargetKeyboard_win.h"
#include "base/UniqueResource_win.h"

#include <vector>

namespace
{
HWND s_hwndMain = NULL;

// The relative id of the token's mandatory label: its integrity level.
IntegrityLookup integrityLevelOf(HANDLE hProcess, uint32_t& dwLevel)
{
  HANDLE hRawToken = nullptr;
  if (!OpenProcessToken(hProcess, TOKEN_QUERY, &hRawToken))
    return GetLastError() == ERROR_ACCESS_DENIED ? IntegrityLookup::kAccessDenied : IntegrityLookup::kFailed;
  UniqueHandle hToken(hRawToken);
  DWORD cbLabel = 0;
  GetTokenInformation(hToken.get(), TokenIntegrityLevel, nullptr, 0, &cbLabel);
  if (cbLabel < sizeof(TOKEN_MANDATORY_LABEL))
    return IntegrityLookup::kFailed;
  std::vector<unsigned char> rgbLabel(cbLabel);
  if (!GetTokenInformation(hToken.get(), TokenIntegrityLevel, rgbLabel.data(), cbLabel, &cbLabel))
    return IntegrityLookup::kFailed;
  PSID pSid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(rgbLabel.data())->Label.Sid;
  UCHAR nSubAuthorities = pSid != nullptr && IsValidSid(pSid) ? *GetSidSubAuthorityCount(pSid) : 0;
  if (nSubAuthorities == 0)
    return IntegrityLookup::kFailed;
  dwLevel = *GetSidSubAuthority(pSid, static_cast<DWORD>(nSubAuthorities - 1));
  return IntegrityLookup::kFound;
}

IntegrityLookup integrityLevelOfProcess(DWORD dwProcessId, uint32_t& dwLevel)
{
  UniqueHandle hProcess(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dwProcessId));
  if (!hProcess)
    return GetLastError() == ERROR_ACCESS_DENIED ? IntegrityLookup::kAccessDenied : IntegrityLookup::kFailed;
  return integrityLevelOf(hProcess.get(), dwLevel);
}

// Our own level, read once: it does not change while the process runs. Without an answer we
// count as running at the highest level a user's program runs at, so nothing is refused on a
// guess.
uint32_t ownIntegrityLevel()
{
  static const uint32_t s_dwOwnLevel = [] {
    uint32_t dwLevel = 0;
    return integrityLevelOf(GetCurrentProcess(), dwLevel) == IntegrityLookup::kFound ? dwLevel
                                                                                     : SECURITY_MANDATORY_HIGH_RID;
  }();
  return s_dwOwnLevel;
}
}  // namespace

void SystemForegroundWindow::setMainWindow(HWND hwndMain)
{
  s_hwndMain = hwndMain;
}

HWND SystemForegroundWindow::getMainWindow()
{
  return s_hwndMain;
}

uintptr_t SystemForegroundWindow::windowId() const
{
  return reinterpret_cast<uintptr_t>(GetForegroundWindow());
}

bool SystemForegroundWindow::getClassName(std::string& strClass) const
{
  HWND hwnd = GetForegroundWindow();
  if (hwnd == NULL || !IsWindow(hwnd))
    return false;
  char szClass[256] = "";
  int nCopied = GetClassNameA(hwnd, szClass, sizeof szClass);
  strClass.assign(szClass, static_cast<size_t>(nCopied > 0 ? nCopied : 0));
  return true;
}

std::unique_ptr<TargetKeyboard> SystemForegroundWindow::targetKeyboard() const
{
  return std::make_unique<SystemTargetKeyboard>(GetForegroundWindow());
}

bool SystemForegroundWindow::getTitle(std::string& strTitle) const
{
  HWND hwnd = GetForegroundWindow();
  if (hwnd == NULL || !IsWindow(hwnd))
    return false;
  int nLength = GetWindowTextLengthA(hwnd);
  std::vector<char> rgchTitle(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
  int nCopied = GetWindowTextA(hwnd, rgchTitle.data(), static_cast<int>(rgchTitle.size()));
  strTitle.assign(rgchTitle.data(), static_cast<size_t>(nCopied > 0 ? nCopied : 0));
  return true;
}

bool SystemForegroundWindow::isOwnMainWindow() const
{
  return s_hwndMain != NULL && GetForegroundWindow() == s_hwndMain;
}

bool SystemForegroundWindow::isAboveOwnIntegrity() const
{
  HWND hwnd = GetForegroundWindow();
  if (hwnd == NULL)
    return false;
  DWORD dwProcessId = 0;
  GetWindowThreadProcessId(hwnd, &dwProcessId);
  if (dwProcessId == 0)
    return false;
  if (hwnd != m_hwndChecked || dwProcessId != m_dwProcessChecked)
  {
    uint32_t dwLevel = 0;
    IntegrityLookup lookup = dwProcessId == GetCurrentProcessId() ? IntegrityLookup::kFailed
                                                                   : integrityLevelOfProcess(dwProcessId, dwLevel);
    m_fAboveChecked = runsAboveOwnIntegrity(lookup, dwLevel, ownIntegrityLevel());
    m_hwndChecked = hwnd;
    m_dwProcessChecked = dwProcessId;
  }
  return m_fAboveChecked;
}
