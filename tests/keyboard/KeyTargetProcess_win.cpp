#include "KeyTargetProcess_win.h"

#include "KeyTargetMessages_win.h"
#include "TestSupport.h"

#include <chrono>
#include <vector>

using namespace std::chrono_literals;

std::string KeyTargetProcess::besideTestProgram(const char* pszFileName)
{
  char szPath[MAX_PATH] = {};
  GetModuleFileNameA(NULL, szPath, MAX_PATH);
  std::string strPath = szPath;
  return strPath.substr(0, strPath.find_last_of("\\/") + 1) + pszFileName;
}

KeyTargetProcess::KeyTargetProcess(const std::string& strTitle, const char* pszLibrary)
{
  std::string strProgram = besideTestProgram("KeyTarget_win.exe");
  std::string strCommand = "\"" + strProgram + "\" \"" + strTitle + "\"";
  if (pszLibrary != nullptr)
    strCommand += std::string(" \"") + pszLibrary + "\"";
  std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (!CreateProcessA(strProgram.c_str(), rgchCommand.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
  {
    m_strWhy = "CreateProcess failed with error " + std::to_string(GetLastError()) + " for " + strProgram;
    return;
  }
  DWORD dwExitCode = STILL_ACTIVE;
  bool fFound = testsupport::waitUntil(
      [&] {
        // The window is visible to FindWindow while its edit control is still being created.
        m_hwnd = FindWindowA("QuilbarKeyTarget", strTitle.c_str());
        m_hwndEdit = m_hwnd != NULL ? FindWindowExA(m_hwnd, NULL, "EDIT", NULL) : NULL;
        GetExitCodeProcess(m_pi.hProcess, &dwExitCode);
        return m_hwndEdit != NULL || dwExitCode != STILL_ACTIVE;
      },
      15000ms);
  if (!fFound || m_hwndEdit == NULL)
    m_strWhy = "target window \"" + strTitle + "\" with its edit control did not appear; target exit code " +
               std::to_string(dwExitCode);
}

KeyTargetProcess::~KeyTargetProcess()
{
  if (m_pi.hProcess == NULL)
    return;
  if (m_hwnd != NULL)
    PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(m_pi.hProcess, 1);
  CloseHandle(m_pi.hThread);
  CloseHandle(m_pi.hProcess);
}

bool KeyTargetProcess::isReady(std::string& strWhy) const
{
  strWhy = m_strWhy;
  return m_hwnd != NULL && m_hwndEdit != NULL;
}

// Without a window manager (the harness's unmanaged windows), Wine may hand the foreground to the
// desktop a moment after it was given: a late focus-out of a window that had the X focus just
// before. So the window counts as in front only once it has held the foreground for a while.
bool bringOwnWindowToFront(HWND hwnd)
{
  const auto kHold = 200ms;
  std::chrono::steady_clock::time_point since;
  bool fHolding = false;
  return testsupport::waitUntil(
      [&] {
        if (GetForegroundWindow() != hwnd)
        {
          fHolding = false;
          SetForegroundWindow(hwnd);
          return false;
        }
        auto now = std::chrono::steady_clock::now();
        if (!fHolding)
        {
          fHolding = true;
          since = now;
        }
        return now - since >= kHold;
      },
      10000ms, 20ms);
}

bool KeyTargetProcess::bringToFront()
{
  return bringOwnWindowToFront(m_hwnd);
}

std::string KeyTargetProcess::text() const
{
  DWORD_PTR nLength = 0;
  if (!SendMessageTimeoutA(m_hwndEdit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength))
    return "<no answer from the target>";
  std::vector<char> rgchText(nLength + 1, '\0');
  DWORD_PTR nCopied = 0;
  SendMessageTimeoutA(m_hwndEdit, WM_GETTEXT, rgchText.size(), reinterpret_cast<LPARAM>(rgchText.data()),
                      SMTO_ABORTIFHUNG, 5000, &nCopied);
  return std::string(rgchText.data(), nCopied);
}

void KeyTargetProcess::clearText()
{
  DWORD_PTR nResult = 0;
  SendMessageTimeoutA(m_hwndEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG, 5000, &nResult);
}

bool KeyTargetProcess::waitForText(const std::string& strExpected, int nTimeoutMs) const
{
  return testsupport::waitUntil([&] { return text() == strExpected; }, std::chrono::milliseconds(nTimeoutMs), 10ms);
}

bool KeyTargetProcess::notifyWhenLength(size_t nLength, HANDLE hevtArrived)
{
  HANDLE hevtInTarget = NULL;
  if (!DuplicateHandle(GetCurrentProcess(), hevtArrived, m_pi.hProcess, &hevtInTarget, EVENT_MODIFY_STATE, FALSE, 0))
    return false;
  // Sent, not posted: the request must be in place before the first key arrives.
  DWORD_PTR nResult = 0;
  if (SendMessageTimeoutA(m_hwnd, WM_KEYTARGET_NOTIFYLENGTH, nLength, reinterpret_cast<LPARAM>(hevtInTarget),
                          SMTO_ABORTIFHUNG, 5000, &nResult))
    return true;
  // The target never took the handle: close it there.
  DuplicateHandle(m_pi.hProcess, hevtInTarget, NULL, NULL, 0, FALSE, DUPLICATE_CLOSE_SOURCE);
  return false;
}
