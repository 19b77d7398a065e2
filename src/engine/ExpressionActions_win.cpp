#include "ExpressionActions_win.h"

#include "base/Assert.h"
#include "base/ClipboardSession_win.h"
#include "base/MessageWait_win.h"
#include "base/UniqueResource_win.h"
#include "WindowFinder_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
bool writeAll(HANDLE hFile, const std::string& strBytes)
{
  size_t nDone = 0;
  while (nDone < strBytes.size())
  {
    DWORD dwChunk = static_cast<DWORD>(std::min<size_t>(strBytes.size() - nDone, 1 << 20));
    DWORD dwWritten = 0;
    if (!WriteFile(hFile, strBytes.data() + nDone, dwChunk, &dwWritten, nullptr) || dwWritten != dwChunk)
      return false;
    nDone += dwWritten;
  }
  return true;
}
}  // namespace

std::uint32_t ExpressionActionsWin::tickCount()
{
  return GetTickCount();
}

std::tm ExpressionActionsWin::localTime()
{
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local;
}

// Delay and the polls of WaitForWindow: the main window goes on answering sent messages.
void ExpressionActionsWin::sleep(std::uint32_t nMilliseconds)
{
  waitAnsweringSentMessages(nullptr, nMilliseconds);
}

// The whole text is the command line, so the system finds the program the way a command prompt
// would (first token, search path). The thread handle is of no use and is closed at once.
ProgramHandle ExpressionActionsWin::startProgram(const std::string& strCommandLine)
{
  std::vector<char> rgchCommandLine(strCommandLine.begin(), strCommandLine.end());
  rgchCommandLine.push_back('\0');
  STARTUPINFOA startupInfo;
  std::memset(&startupInfo, 0, sizeof(startupInfo));
  startupInfo.cb = sizeof(startupInfo);
  PROCESS_INFORMATION processInfo;
  std::memset(&processInfo, 0, sizeof(processInfo));
  if (!CreateProcessA(nullptr, rgchCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startupInfo,
                      &processInfo))
    return nullptr;
  UniqueHandle(processInfo.hThread).reset();
  return processInfo.hProcess;
}

bool ExpressionActionsWin::waitForProgram(ProgramHandle hProgram, std::uint32_t nTimeout)
{
  QB_ASSERT(NULL != hProgram);
  // The program waited for may itself wait for the main window (a broadcast it sends).
  return waitAnsweringSentMessages(static_cast<HANDLE>(hProgram), nTimeout == 0 ? INFINITE : nTimeout);
}

void ExpressionActionsWin::releaseProgram(ProgramHandle hProgram)
{
  QB_ASSERT(NULL != hProgram);
  UniqueHandle(static_cast<HANDLE>(hProgram)).reset();
}

WindowHandle ExpressionActionsWin::findWindow(const std::string& strTitlePattern)
{
  WindowFinder finder(strTitlePattern);
  return finder.find() ? finder.getWindow() : nullptr;
}

void ExpressionActionsWin::bringToFront(WindowHandle hWindow)
{
  SetForegroundWindow(static_cast<HWND>(hWindow));
}

// Opened without an owner window, as nothing here answers delayed-rendering requests. Once
// SetClipboardData succeeds the system owns the memory; before that it is ours to free.
void ExpressionActionsWin::putOnClipboard(const std::string& strText)
{
  ClipboardSession clipboard;
  if (!clipboard.isOpen())
    return;
  EmptyClipboard();
  HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE, strText.size() + 1);
  char* pszMemory = hMemory != nullptr ? static_cast<char*>(GlobalLock(hMemory)) : nullptr;
  if (pszMemory != nullptr)
  {
    std::memcpy(pszMemory, strText.c_str(), strText.size() + 1);
    GlobalUnlock(hMemory);
    if (SetClipboardData(CF_TEXT, hMemory) != nullptr)
      hMemory = nullptr;
  }
  if (hMemory != nullptr)
    GlobalFree(hMemory);
}

bool ExpressionActionsWin::writeFile(const std::string& strPath, const std::string& strBytes)
{
  UniqueFileHandle file(
    CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && writeAll(file.get(), strBytes);
}

// The answer's size is taken before reading and every byte of it must arrive: a file that is
// cut short while being read is reported rather than used half.
bool ExpressionActionsWin::readFile(const std::string& strPath, std::string& strBytes)
{
  UniqueFileHandle file(
    CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileSize)
    return false;
  strBytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  DWORD dwRead = 0;
  if (!strBytes.empty() &&
      (!ReadFile(file.get(), &strBytes[0], static_cast<DWORD>(strBytes.size()), &dwRead, nullptr) ||
       dwRead != strBytes.size()))
    return false;
  return true;
}

ExpressionActionsWin::Privilege ExpressionActionsWin::enableShutdownPrivilege()
{
  HANDLE hToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken))
    return Privilege::kNoToken;
  UniqueHandle token(hToken);
  TOKEN_PRIVILEGES privileges;
  std::memset(&privileges, 0, sizeof(privileges));
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
    return Privilege::kRefused;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr))
    return Privilege::kRefused;
  return Privilege::kEnabled;
}

// Every supported system is of the NT family, which wants the privilege. A token that cannot be
// opened does not stop the request; a refused privilege does. The system's answer is not examined.
void ExpressionActionsWin::restartSystem(bool fForce)
{
  if (enableShutdownPrivilege() == Privilege::kRefused)
    return;
  ExitWindowsEx(EWX_REBOOT | (fForce ? EWX_FORCE : 0), 0);
}
