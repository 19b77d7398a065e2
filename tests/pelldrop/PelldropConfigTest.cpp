#include "pelldrop/PelldropConfig.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{
std::string repeated(char ch, size_t n)
{
  return std::string(n, ch);
}

TEST(PelldropConfigTest, TheFirstLineIsTheFolderWithoutItsLineEnd)
{
  struct Row
  {
    const char* pszCase;
    std::string strContents;
    std::string strFolder;
  };
  const Row rgRows[] = {
    {"CR LF", "C:\\out\r\n", "C:\\out"},
    {"LF", "C:\\out\\\n", "C:\\out\\"},
    {"no line end", "D:\\scans", "D:\\scans"},
    {"only the first line", "C:\\a\r\nC:\\b\r\n", "C:\\a"},
    {"every trailing CR and LF goes", "C:\\a\r\r\n", "C:\\a"},
    {"a CR inside stays", "C:\\a\rb\n", "C:\\a\rb"},
    {"blanks are kept", "  C:\\my out  \n", "  C:\\my out  "},
    {"an empty first line", "\r\nC:\\second\r\n", ""},
    {"a zero byte ends the line", std::string("C:\\a\0b\n", 7), "C:\\a"},
    {"bytes of the code page", "C:\\Bj\xF6rk\\\xE9t\xE9\n", "C:\\Bj\xF6rk\\\xE9t\xE9"},
    {"at most 1023 characters", repeated('x', 1030) + "\n", repeated('x', 1023)},
    {"1022 characters and CR LF", repeated('y', 1022) + "\r\n", repeated('y', 1022)},
    {"1023 characters and CR LF", repeated('z', 1023) + "\r\n", repeated('z', 1023)},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    std::string strFolder = "stale";
    EXPECT_TRUE(PelldropConfig::parseFirstLine(row.strContents.data(), row.strContents.size(), strFolder));
    EXPECT_EQ(row.strFolder, strFolder);
  }
}

TEST(PelldropConfigTest, NoBytesAreNoLine)
{
  std::string strFolder = "stale";
  EXPECT_FALSE(PelldropConfig::parseFirstLine("", 0, strFolder));
  EXPECT_EQ("", strFolder);
  EXPECT_FALSE(PelldropConfig::parseFirstLine(nullptr, 0, strFolder));
}

TEST(PelldropConfigTest, ReadingTellsAMissingFileFromAnEmptyOne)
{
  ScratchFolder folder;
  std::string strFolder;
  EXPECT_EQ(PelldropConfig::ReadResult::NotFound, PelldropConfig::read(folder.path("Pelldrop.ini"), strFolder));
  folder.writeFile("Pelldrop.ini", "");
  EXPECT_EQ(PelldropConfig::ReadResult::Unreadable, PelldropConfig::read(folder.path("Pelldrop.ini"), strFolder));
  folder.writeFile("Pelldrop.ini", "\n");
  EXPECT_EQ(PelldropConfig::ReadResult::Read, PelldropConfig::read(folder.path("Pelldrop.ini"), strFolder));
  EXPECT_EQ("", strFolder);
  folder.writeFile("Pelldrop.ini", "C:\\out\r\nrest");
  EXPECT_EQ(PelldropConfig::ReadResult::Read, PelldropConfig::read(folder.path("Pelldrop.ini"), strFolder));
  EXPECT_EQ("C:\\out", strFolder);
}

TEST(PelldropConfigTest, WritingReplacesTheFileWithTheFolderAndOneLineFeed)
{
  ScratchFolder folder;
  folder.writeFile("Pelldrop.ini", "C:\\a much longer folder that was there before\r\nsecond line\r\n");
  ASSERT_EQ(PelldropConfig::WriteResult::Written, PelldropConfig::write(folder.path("Pelldrop.ini"), "C:\\out\\"));
  EXPECT_EQ("C:\\out\\\n", folder.readFile("Pelldrop.ini"));
  std::string strFolder;
  ASSERT_EQ(PelldropConfig::ReadResult::Read, PelldropConfig::read(folder.path("Pelldrop.ini"), strFolder));
  EXPECT_EQ("C:\\out\\", strFolder);
}

TEST(PelldropConfigTest, WritingFailuresAreReportedApart)
{
  ScratchFolder folder;
  std::filesystem::create_directory(folder.path("Pelldrop.ini"));
  EXPECT_EQ(PelldropConfig::WriteResult::CannotOpen, PelldropConfig::write(folder.path("Pelldrop.ini"), "C:\\out\\"));
  EXPECT_EQ(PelldropConfig::WriteResult::CannotOpen,
            PelldropConfig::write(folder.path("missing") + "/Pelldrop.ini", "C:\\out\\"));
  // A full disk shows when the line is flushed; the system that has a full device shows it.
  if (!std::filesystem::exists("/dev/full"))
    GTEST_SKIP() << "no full device on this system";
  EXPECT_EQ(PelldropConfig::WriteResult::CannotWrite, PelldropConfig::write("/dev/full", "C:\\out\\"));
}

// A fake double-byte code page: lead bytes 0x81-0x9F and 0xE0-0xFC, as in Shift-JIS, where a
// trail byte may be 0x5C, the backslash's code.
bool isShiftJisLeadByte(unsigned char ch)
{
  return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
}

bool isNoLeadByte(unsigned char)
{
  return false;
}

TEST(PelldropConfigTest, ABackslashIsAppendedUnlessTheLastCharacterIsOne)
{
  struct Row
  {
    const char* pszCase;
    PelldropConfig::IsLeadByteFunction pfnIsLeadByte;
    std::string strFolder;
    std::string strExpected;
  };
  const Row rgRows[] = {
    {"empty: the root of the drive", isNoLeadByte, "", "\\"},
    {"without", isNoLeadByte, "C:\\out", "C:\\out\\"},
    {"with", isNoLeadByte, "C:\\out\\", "C:\\out\\"},
    {"a drive root", isNoLeadByte, "C:\\", "C:\\"},
    {"a slash is no backslash", isNoLeadByte, "C:/out/", "C:/out/\\"},
    {"single-byte code page: E9 5C ends in a backslash", isNoLeadByte, "C:\\\xE9\\", "C:\\\xE9\\"},
    {"double-byte: a trail byte 5C is part of a character", isShiftJisLeadByte, "C:\\\x95\\", "C:\\\x95\\\\"},
    {"double-byte: a backslash after the character", isShiftJisLeadByte, "C:\\\x95\\\\", "C:\\\x95\\\\"},
    {"double-byte: a lone lead byte at the end", isShiftJisLeadByte, "C:\\\x95", "C:\\\x95\\"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    EXPECT_EQ(row.strExpected, PelldropConfig::withTrailingBackslash(row.strFolder, row.pfnIsLeadByte));
  }
}
}  // namespace
