#include "SystemOutputFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

OutputFiles::WriteResult SystemOutputFiles::writeFile(const std::string& strPath, const std::string& strData,
                                                      uint32_t& dwError)
{
  std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
  if (pFile == nullptr)
  {
    dwError = static_cast<uint32_t>(errno);
    return WriteResult::CannotCreate;
  }
  bool fWritten = std::fwrite(strData.data(), 1, strData.size(), pFile) == strData.size();
  fWritten = std::fflush(pFile) == 0 && fWritten;
  if (!fWritten)
    dwError = static_cast<uint32_t>(errno);
  if (std::fclose(pFile) != 0 && fWritten)
  {
    dwError = static_cast<uint32_t>(errno);
    fWritten = false;
  }
  return fWritten ? WriteResult::Written : WriteResult::CannotWrite;
}

// rename() would replace the target; a new link fails when the target exists, as MoveFile does.
OutputFiles::RenameResult SystemOutputFiles::renameFile(const std::string& strFrom, const std::string& strTo,
                                                        uint32_t& dwError)
{
  if (link(strFrom.c_str(), strTo.c_str()) != 0)
  {
    dwError = static_cast<uint32_t>(errno);
    return dwError == EEXIST || fileExists(strTo) ? RenameResult::TargetExists : RenameResult::Failed;
  }
  unlink(strFrom.c_str());
  return RenameResult::Renamed;
}

bool SystemOutputFiles::fileExists(const std::string& strPath)
{
  struct stat info;
  return stat(strPath.c_str(), &info) == 0;
}

void SystemOutputFiles::removeFile(const std::string& strPath)
{
  unlink(strPath.c_str());
}

void SystemOutputFiles::pauseBeforeRetry()
{
  struct timespec pause = {0, static_cast<long>(kuRetryPauseMs) * 1000000L};
  nanosleep(&pause, nullptr);
}

std::string SystemOutputFiles::describeError(uint32_t dwError)
{
  return std::strerror(static_cast<int>(dwError));
}
