#include "TestProcess_win.h"

#include "TestSupport.h"

#include <vector>

namespace
{
struct WindowSearch
{
  DWORD dwProcessId;
  const char* pszTitle;
  const char* pszClass;
  HWND hwndFound;
};

BOOL CALLBACK matchProcessWindow(HWND hwnd, LPARAM lParam)
{
  auto* pSearch = reinterpret_cast<WindowSearch*>(lParam);
  DWORD dwProcessId = 0;
  GetWindowThreadProcessId(hwnd, &dwProcessId);
  if (dwProcessId != pSearch->dwProcessId)
    return TRUE;
  char szText[256] = "";
  // A null title matches any: compared with a string, it would be read as one and crash the test
  // (under Wine an unhandled fault opens the debugger's "Program Error" box, and the test hangs).
  if (pSearch->pszTitle != nullptr &&
      (GetWindowTextA(hwnd, szText, sizeof szText), std::string(szText) != pSearch->pszTitle))
    return TRUE;
  if (pSearch->pszClass != nullptr && (GetClassNameA(hwnd, szText, sizeof szText), lstrcmpiA(szText, pSearch->pszClass) != 0))
    return TRUE;
  pSearch->hwndFound = hwnd;
  return FALSE;
}
}  // namespace

TestProcess::TestProcess(const std::string& strCommandLine, const std::string& strDirectory,
                         HANDLE hStandardError)
{
  std::vector<char> rgchCommand(strCommandLine.begin(), strCommandLine.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (hStandardError != nullptr)
  {
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdError = hStandardError;
  }
  m_fStarted = CreateProcessA(nullptr, rgchCommand.data(), nullptr, nullptr, hStandardError != nullptr, 0, nullptr,
                              strDirectory.empty() ? nullptr : strDirectory.c_str(), &si, &m_pi) != 0;
  if (!m_fStarted)
    m_dwStartError = GetLastError();
}

TestProcess::~TestProcess()
{
  if (!m_fStarted)
    return;
  kill();
  CloseHandle(m_pi.hThread);
  CloseHandle(m_pi.hProcess);
}

std::string TestProcess::commandLine(const std::string& strProgram, const std::string& strArguments)
{
  return "\"" + strProgram + "\"" + (strArguments.empty() ? "" : " " + strArguments);
}

HWND TestProcess::waitForWindow(const char* pszTitle, const char* pszClass, std::chrono::milliseconds timeout) const
{
  WindowSearch search{m_pi.dwProcessId, pszTitle, pszClass, nullptr};
  if (!m_fStarted)
    return nullptr;
  testsupport::waitUntil(
      [&] {
        EnumWindows(&matchProcessWindow, reinterpret_cast<LPARAM>(&search));
        return search.hwndFound != nullptr;
      },
      timeout, std::chrono::milliseconds(20));
  return search.hwndFound;
}

bool TestProcess::waitForExit(std::chrono::milliseconds timeout, DWORD* pdwExitCode) const
{
  if (!m_fStarted || WaitForSingleObject(m_pi.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return false;
  if (pdwExitCode != nullptr)
    GetExitCodeProcess(m_pi.hProcess, pdwExitCode);
  return true;
}

bool TestProcess::isRunning() const
{
  return m_fStarted && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool TestProcess::hasEnded() const
{
  return m_fStarted && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD TestProcess::exitCode() const
{
  DWORD dwCode = STILL_ACTIVE;
  if (m_fStarted)
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
  return dwCode;
}

void TestProcess::kill()
{
  if (!isRunning())
    return;
  TerminateProcess(m_pi.hProcess, 9);
  WaitForSingleObject(m_pi.hProcess, 10000);
}

namespace
{
struct WindowListing
{
  DWORD dwProcessId;
  std::string strTitles;
};

// A named CALLBACK function: on i686 a lambda converts only to the default calling convention.
BOOL CALLBACK listVisibleWindow(HWND hwnd, LPARAM lParam)
{
  auto* pListing = reinterpret_cast<WindowListing*>(lParam);
  DWORD dwProcessId = 0;
  GetWindowThreadProcessId(hwnd, &dwProcessId);
  char szText[256] = "";
  if (dwProcessId == pListing->dwProcessId && IsWindowVisible(hwnd))
  {
    GetWindowTextA(hwnd, szText, sizeof szText);
    pListing->strTitles += std::string(pListing->strTitles.empty() ? "" : ", ") + "\"" + szText + "\"";
  }
  return TRUE;
}
}  // namespace

std::string TestProcess::visibleWindows() const
{
  WindowListing listing{m_pi.dwProcessId, ""};
  EnumWindows(&listVisibleWindow, reinterpret_cast<LPARAM>(&listing));
  return listing.strTitles.empty() ? "(none)" : listing.strTitles;
}

// A file, not a pipe: Wine's helper processes could keep a pipe open after the program ended.
DWORD TestProcess::run(const std::string& strCommandLine, std::chrono::milliseconds timeout,
                       std::string& strStandardError)
{
  char szFolder[MAX_PATH] = "";
  char szName[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, szFolder);
  GetTempFileNameA(szFolder, "qbe", 0, szName);
  SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
  HANDLE hFile = CreateFileA(szName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  DWORD dwExitCode = ~0u;
  {
    TestProcess process(strCommandLine, "", hFile);
    if (!process.waitForExit(timeout, &dwExitCode))
      dwExitCode = ~0u;
  }
  strStandardError.clear();
  char rgchBuffer[4096];
  DWORD dwRead = 0;
  SetFilePointer(hFile, 0, nullptr, FILE_BEGIN);
  while (ReadFile(hFile, rgchBuffer, sizeof rgchBuffer, &dwRead, nullptr) && dwRead > 0)
    strStandardError.append(rgchBuffer, dwRead);
  CloseHandle(hFile);
  return dwExitCode;
}

DWORD TestProcess::run(const std::string& strCommandLine, std::chrono::milliseconds timeout)
{
  TestProcess process(strCommandLine);
  DWORD dwExitCode = ~0u;
  if (!process.waitForExit(timeout, &dwExitCode))
    return ~0u;
  return dwExitCode;
}
