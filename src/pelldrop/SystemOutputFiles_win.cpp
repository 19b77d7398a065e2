#include "SystemOutputFiles.h"

#include "base/UniqueResource_win.h"

#include <windows.h>

// CREATE_NEW: a temporary file left from an earlier run (one that was said to keep its data, or
// a read-only one) is never truncated; the caller takes the next name.
OutputFiles::WriteResult SystemOutputFiles::writeFile(const std::string& strPath, const std::string& strData,
                                                      uint32_t& dwError)
{
  UniqueFileHandle hFile(
      CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL));
  if (!hFile)
  {
    dwError = GetLastError();
    if (dwError == ERROR_FILE_EXISTS || dwError == ERROR_ALREADY_EXISTS)
      return WriteResult::NameTaken;
    return WriteResult::CannotCreate;
  }
  DWORD cbWritten = 0;
  if (!strData.empty() &&
      (!WriteFile(hFile.get(), strData.data(), static_cast<DWORD>(strData.size()), &cbWritten, NULL) ||
       cbWritten != strData.size()))
  {
    dwError = GetLastError();
    return WriteResult::CannotWrite;
  }
  if (!CloseHandle(hFile.release()))
  {
    dwError = GetLastError();
    return WriteResult::CannotWrite;
  }
  return WriteResult::Written;
}

// MoveFile never replaces an existing file. Some systems report an existing target as a denied
// access (a folder of that name, say), so a failure is judged by whether the target is there.
OutputFiles::RenameResult SystemOutputFiles::renameFile(const std::string& strFrom, const std::string& strTo,
                                                        uint32_t& dwError)
{
  if (MoveFileA(strFrom.c_str(), strTo.c_str()))
    return RenameResult::Renamed;
  dwError = GetLastError();
  if (dwError == ERROR_ALREADY_EXISTS || dwError == ERROR_FILE_EXISTS || fileExists(strTo))
    return RenameResult::TargetExists;
  return RenameResult::Failed;
}

bool SystemOutputFiles::fileExists(const std::string& strPath)
{
  return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SystemOutputFiles::removeFile(const std::string& strPath)
{
  DeleteFileA(strPath.c_str());
}

void SystemOutputFiles::pauseBeforeRetry()
{
  Sleep(kuRetryPauseMs);
}

std::string SystemOutputFiles::describeError(uint32_t dwError)
{
  char* pszMessage = nullptr;
  DWORD cch = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             NULL, dwError, 0, reinterpret_cast<char*>(&pszMessage), 0, NULL);
  std::string strMessage = cch != 0 && pszMessage != nullptr ? std::string(pszMessage, cch) : std::string();
  LocalFree(pszMessage);
  while (!strMessage.empty() && (strMessage.back() == '\r' || strMessage.back() == '\n' || strMessage.back() == ' ' ||
                                 strMessage.back() == '.'))
    strMessage.pop_back();
  return strMessage.empty() ? "error " + std::to_string(dwError) : strMessage;
}
