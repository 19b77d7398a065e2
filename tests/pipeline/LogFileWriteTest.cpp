// A log line that could not be written is reported as such: a full disk used to count as written.
// Native only: /dev/full takes the open and refuses every write, as a full disk does.
#include "pipeline/LogFile.h"
#include "TempLogFile.h"

#include <gtest/gtest.h>

namespace
{
TEST(LogFileWriteTest, LineThatCannotBeWrittenIsAFailure)
{
  EXPECT_FALSE(writeLogLine("/dev/full", "2007-03-01 14:05:09.042 Connected\r\n"));
  pipelinetest::TempLogFile file;
  EXPECT_TRUE(writeLogLine(file.path(), "2007-03-01 14:05:09.042 Connected\r\n"));
}
}  // namespace
