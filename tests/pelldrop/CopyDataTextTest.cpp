#include "pelldrop/CopyDataText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace
{
// The block on the heap with exactly its stated size, so the address sanitizer reports any read
// past it.
std::string readExact(const std::string& strBlock, bool& fHasData)
{
  std::unique_ptr<char[]> pBlock(new char[strBlock.size() == 0 ? 1 : strBlock.size()]);
  std::memcpy(pBlock.get(), strBlock.data(), strBlock.size());
  std::string strText = "stale";
  fHasData = CopyDataText::read(pBlock.get(), strBlock.size(), strText);
  return strText;
}

TEST(CopyDataTextTest, TheTextEndsAtTheFirstZeroOrAtTheStatedSize)
{
  struct Row
  {
    const char* pszCase;
    std::string strBlock;
    std::string strText;
  };
  const Row rgRows[] = {
    {"terminated", std::string("AB\r\0", 4), "AB\r"},
    {"no zero within the size", "ABC", "ABC"},
    {"a zero inside", std::string("A\0BC\0", 5), "A"},
    {"only the zero: an empty data string", std::string("\0", 1), ""},
    {"every other byte value", std::string("\x01\x7f\x80\xff\x1d", 5), "\x01\x7f\x80\xff\x1d"},
    {"a long block without a zero", std::string(65536, 'x'), std::string(65536, 'x')},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    bool fHasData = false;
    EXPECT_EQ(row.strText, readExact(row.strBlock, fHasData));
    EXPECT_TRUE(fHasData);
  }
}

TEST(CopyDataTextTest, ABlockWithoutAddressOrBytesHasNoData)
{
  std::string strText = "stale";
  EXPECT_FALSE(CopyDataText::read(nullptr, 5, strText));
  EXPECT_EQ("", strText);
  char ch = 'A';
  strText = "stale";
  EXPECT_FALSE(CopyDataText::read(&ch, 0, strText));
  EXPECT_EQ("", strText);
}
}  // namespace
