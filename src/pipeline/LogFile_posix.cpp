#include "LogFile.h"

#include <fcntl.h>
#include <unistd.h>

// O_APPEND makes each write land at the end in one step, so lines of two threads never mix.
bool writeLogLine(const std::string& strFilename, const std::string& strLine)
{
  if (strFilename.empty())
    return false;
  int fd = open(strFilename.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  ssize_t nWritten = write(fd, strLine.data(), strLine.size());
  close(fd);
  return nWritten >= 0 && static_cast<size_t>(nWritten) == strLine.size();
}
