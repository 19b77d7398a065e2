// A log line that could not be written is reported as such: a full disk used to count as written.
// Wine's drive Z: is the Linux root, where /dev/full takes the open and refuses every write with
// "disk full".
#include "pipeline/LogFile.h"
#include "TempLogFile.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
TEST(LogFileWriteTest, LineThatCannotBeWrittenIsAFailure)
{
  const char kszFullDisk[] = "Z:\\dev\\full";
  HANDLE hFull = CreateFileA(kszFullDisk, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFull == INVALID_HANDLE_VALUE)
    GTEST_SKIP() << kszFullDisk << " cannot be opened to play a full disk (error " << GetLastError() << ")";
  CloseHandle(hFull);
  EXPECT_FALSE(writeLogLine(kszFullDisk, "2007-03-01 14:05:09.042 Connected\r\n"));
  pipelinetest::TempLogFile file;
  EXPECT_TRUE(writeLogLine(file.path(), "2007-03-01 14:05:09.042 Connected\r\n"));
}
}  // namespace
