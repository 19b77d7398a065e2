#include "LogFile.h"

#include <windows.h>

// Opened with append access only: the system then places every WriteFile at the end of the file
// in one step, so the main thread and the communication thread, each appending whole lines,
// never interleave within a line nor overwrite each other's (a C runtime "ab" stream seeks to the
// end and writes in two steps). No handle is kept between lines; the user may move the file.
bool writeLogLine(const std::string& strFilename, const std::string& strLine)
{
  if (strFilename.empty())
    return false;
  HANDLE hFile = CreateFileA(strFilename.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hFile == INVALID_HANDLE_VALUE)
    return false;
  DWORD cbWritten = 0;
  WriteFile(hFile, strLine.data(), static_cast<DWORD>(strLine.size()), &cbWritten, NULL);
  CloseHandle(hFile);
  return true;
}
