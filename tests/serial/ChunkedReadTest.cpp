// Reading what the driver reported waiting, chunk by chunk: every byte that arrived is kept, also
// the bytes of a read that reports failure (a read cancelled after its grace time may have brought
// some), and a read that fails or brings nothing ends the pass.
#include "serial/ChunkedRead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct Read
{
  bool fOk;
  std::string strBytes;
};

struct Row
{
  const char* pszName;
  uint32_t cbWaiting;
  std::vector<Read> rgReads;
  std::string strExpected;
  size_t nReadsMade;
};

TEST(ChunkedReadTest, KeepsEveryByteThatArrived)
{
  const std::string str99(99, 'x');
  const Row rgRows[] = {
      {"all at once", 5, {{true, "ABCDE"}}, "ABCDE", 1},
      {"in chunks of 99", 120, {{true, str99}, {true, std::string(21, 'y')}}, str99 + std::string(21, 'y'), 2},
      {"cancelled read that brought bytes", 10, {{false, "ABC"}}, "ABC", 1},
      {"cancelled after a full chunk", 150, {{true, str99}, {false, "tail"}}, str99 + "tail", 2},
      {"read that brings nothing", 10, {{true, ""}}, "", 1},
      {"failed read without bytes", 10, {{false, ""}}, "", 1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszName);
    size_t nRead = 0;
    std::string strBytes = readInChunks(
        row.cbWaiting, 99,
        [&](char* pBuffer, uint32_t cbWanted, uint32_t& cbRead) {
          const Read& read = row.rgReads.at(nRead++);
          EXPECT_LE(read.strBytes.size(), cbWanted);
          read.strBytes.copy(pBuffer, read.strBytes.size());
          cbRead = static_cast<uint32_t>(read.strBytes.size());
          return read.fOk;
        },
        [] { return false; });
    EXPECT_EQ(row.strExpected, strBytes);
    EXPECT_EQ(row.nReadsMade, nRead);
  }
}

TEST(ChunkedReadTest, StopRequestEndsTheReadingBetweenChunks)
{
  size_t nRead = 0;
  std::string strBytes = readInChunks(
      1000, 99,
      [&](char* pBuffer, uint32_t cbWanted, uint32_t& cbRead) {
        ++nRead;
        std::fill(pBuffer, pBuffer + cbWanted, 'z');
        cbRead = cbWanted;
        return true;
      },
      [&] { return nRead == 2; });
  EXPECT_EQ(std::string(198, 'z'), strBytes);
}
}  // namespace
