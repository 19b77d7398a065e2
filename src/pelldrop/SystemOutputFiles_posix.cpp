#include "SystemOutputFiles.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// O_EXCL, as CREATE_NEW under Windows: an existing file is never opened.
OutputFiles::WriteResult SystemOutputFiles::writeFile(const std::string& strPath, const std::string& strData,
                                                      uint32_t& dwError)
{
  int nFile = open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (nFile < 0)
  {
    dwError = static_cast<uint32_t>(errno);
    return dwError == EEXIST ? WriteResult::NameTaken : WriteResult::CannotCreate;
  }
  const char* pch = strData.data();
  size_t cbLeft = strData.size();
  bool fWritten = true;
  while (fWritten && cbLeft > 0)
  {
    ssize_t cbDone = write(nFile, pch, cbLeft);
    fWritten = cbDone > 0;
    if (!fWritten)
      dwError = static_cast<uint32_t>(errno);
    else
    {
      pch += cbDone;
      cbLeft -= static_cast<size_t>(cbDone);
    }
  }
  if (close(nFile) != 0 && fWritten)
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
