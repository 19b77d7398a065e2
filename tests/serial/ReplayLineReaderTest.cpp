// Lines of a replay file as they are read in blocks: line ends removed, a line too long for any
// raw input line skipped without being kept, and the bytes consumed counted exactly.
#include "serial/ReplayLineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> readAll(const std::string& strFile, size_t cbBlock, uint64_t& cbConsumed)
{
  ReplayLineReader reader;
  std::vector<std::string> rgstrLines;
  std::string strLine;
  for (size_t nPos = 0; nPos < strFile.size(); nPos += cbBlock)
  {
    reader.feed(strFile.data() + nPos, std::min(cbBlock, strFile.size() - nPos));
    while (reader.nextLine(strLine))
      rgstrLines.push_back(strLine);
  }
  if (reader.lastLine(strLine))
    rgstrLines.push_back(strLine);
  cbConsumed = reader.consumedBytes();
  return rgstrLines;
}

TEST(ReplayLineReaderTest, CutsLinesWhateverTheBlocks)
{
  const std::string strFile = "first\r\nsecond\n\r\nlast without end";
  for (size_t cbBlock : {1u, 3u, 4096u})
  {
    SCOPED_TRACE("blocks of " + std::to_string(cbBlock));
    uint64_t cbConsumed = 0;
    EXPECT_EQ((std::vector<std::string>{"first", "second", "", "last without end"}),
              readAll(strFile, cbBlock, cbConsumed));
    EXPECT_EQ(strFile.size(), cbConsumed);
  }
}

TEST(ReplayLineReaderTest, OverlongLineIsSkippedAndCounted)
{
  const std::string strLong(ReplayLineReader::kcchMaxLine + 10, 'h');
  for (const std::string& strFile : {"a\n" + strLong + "\nb\n", "a\n" + strLong})
  {
    uint64_t cbConsumed = 0;
    std::vector<std::string> rgstrExpected = {"a"};
    if (strFile.back() == '\n')
      rgstrExpected.push_back("b");
    std::vector<std::string> rgstrLines = readAll(strFile, 4096, cbConsumed);
    EXPECT_TRUE(rgstrExpected == rgstrLines) << rgstrLines.size() << " lines";
    EXPECT_EQ(strFile.size(), cbConsumed);
  }
}

TEST(ReplayLineReaderTest, LineOfTheLongestDataStringIsKept)
{
  const std::string strLine(ReplayLineReader::kcchMaxLine, 'r');
  uint64_t cbConsumed = 0;
  std::vector<std::string> rgstrLines = readAll(strLine + "\r\n", 4096, cbConsumed);
  ASSERT_EQ(1u, rgstrLines.size());
  EXPECT_TRUE(strLine == rgstrLines[0]);
}
}  // namespace
