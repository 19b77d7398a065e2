#include "LogFile.h"

#include "base/UniqueResource_win.h"

#include <windows.h>

#include <mutex>

namespace
{
std::mutex g_mutexLogFile;
}

// Opened with append access only: Windows then places every WriteFile at the end of the file in
// one step, so whole lines from other programs never overwrite ours. Within this process the main
// thread and the communication thread also take a lock: Wine emulates append access with a size
// query and a positioned write, and two threads there were seen to overwrite each other's lines.
// No handle is kept between lines; the user may move or delete the file at any time.
bool writeLogLine(const std::string& strFilename, const std::string& strLine)
{
  if (strFilename.empty())
    return false;
  std::lock_guard<std::mutex> lock(g_mutexLogFile);
  UniqueFileHandle hFile(CreateFileA(strFilename.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, NULL));
  if (!hFile)
    return false;
  DWORD cbWritten = 0;
  return WriteFile(hFile.get(), strLine.data(), static_cast<DWORD>(strLine.size()), &cbWritten, NULL)
         && cbWritten == strLine.size();
}
