#include "pipeline/InjectedData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
bool anyReadable(const void*, size_t)
{
  return true;
}

bool noneReadable(const void*, size_t)
{
  return false;
}

struct Row
{
  const char* pszName;
  std::string strBlock;  // the bytes the sender's record points at
  size_t cbData;         // the byte count it states
  InjectedDataCheck expected;
  std::string strText;
};

TEST(InjectedDataTest, ReadsTheTextOnlyWhenAZeroLiesWithinTheStatedSize)
{
  const Row rgRows[] = {
    {"terminated", std::string("AB\r\0", 4), 4, InjectedDataCheck::Accepted, "AB\r"},
    {"count beyond the zero", std::string("AB\0CD\0", 6), 6, InjectedDataCheck::Accepted, "AB"},
    {"only a zero", std::string("\0", 1), 1, InjectedDataCheck::Accepted, ""},
    {"zero just outside the count", std::string("AB\0", 3), 2, InjectedDataCheck::Unterminated, ""},
    {"no zero at all", "ABCD", 4, InjectedDataCheck::Unterminated, ""},
    {"zero count", std::string("\0", 1), 0, InjectedDataCheck::NoData, ""},
    {"high bytes", std::string("\xFF\x80\0", 3), 3, InjectedDataCheck::Accepted, "\xFF\x80"},
    {"above the longest data string", std::string(150000, 'x') + std::string("\r\0", 2), 150002,
     InjectedDataCheck::Accepted, std::string(150000, 'x') + "\r"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszName);
    // A block of exactly the stated size, so a read past it shows under the address sanitizer.
    std::vector<char> block(row.strBlock.begin(), row.strBlock.begin() + std::min(row.cbData, row.strBlock.size()));
    std::string strText = "unchanged";
    InjectedDataCheck check = readInjectedData(block.empty() ? row.strBlock.data() : block.data(), row.cbData,
                                               anyReadable, strText);
    EXPECT_EQ(row.expected, check) << describeInjectedDataCheck(check);
    const std::string strExpected = row.expected == InjectedDataCheck::Accepted ? row.strText : "unchanged";
    if (strExpected.size() <= 80)
      EXPECT_EQ(strExpected, strText);
    else
      EXPECT_TRUE(strExpected == strText) << strText.size() << " bytes taken of " << strExpected.size();
  }
}

TEST(InjectedDataTest, RefusesNullAbsurdSizesAndUnreadableBlocksWithoutReading)
{
  std::string strText;
  EXPECT_EQ(InjectedDataCheck::NoData, readInjectedData(nullptr, 10, anyReadable, strText));
  // The address is never dereferenced for these: the size or the readability check stops first.
  const void* pBogus = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0x10));
  EXPECT_EQ(InjectedDataCheck::TooLarge, readInjectedData(pBogus, kcbMaxInjectedData + 1, anyReadable, strText));
  EXPECT_EQ(InjectedDataCheck::TooLarge, readInjectedData(pBogus, static_cast<size_t>(-1), anyReadable, strText));
  EXPECT_EQ(InjectedDataCheck::Unreadable, readInjectedData(pBogus, 4, noneReadable, strText));
  EXPECT_TRUE(strText.empty());
}

TEST(InjectedDataTest, AcceptsTheLargestAllowedBlock)
{
  std::vector<char> block(kcbMaxInjectedData, 'x');
  block.back() = '\0';
  std::string strText;
  EXPECT_EQ(InjectedDataCheck::Accepted, readInjectedData(block.data(), block.size(), anyReadable, strText));
  EXPECT_EQ(kcbMaxInjectedData - 1, strText.size());
}
}  // namespace
