#include "pelldrop/PelldropTexts.h"

#include <gtest/gtest.h>

namespace
{
using Result = NumberedFileWriter::Outcome::Result;

UtcTime leapNight(int nMilliseconds)
{
  UtcTime time;
  time.nYear = 2024;
  time.nMonth = 2;
  time.nDay = 29;
  time.nHour = 23;
  time.nMinute = 59;
  time.nSecond = 8;
  time.nMilliseconds = nMilliseconds;
  return time;
}

NumberedFileWriter::Outcome outcome(Result result, int nNumber = 0, bool fTempKept = false)
{
  NumberedFileWriter::Outcome value;
  value.result = result;
  value.nNumber = nNumber;
  value.strTempPath = "C:\\out\\1.tmp";
  value.strFinalPath = "C:\\out\\3.txt";
  value.fTempKept = fTempKept;
  return value;
}

TEST(PelldropTextsTest, TheTimeShowsTenthsOfASecond)
{
  struct Row
  {
    int nMilliseconds;
    const char* pszText;
  };
  const Row rgRows[] = {
    {0, "2024-02-29 23:59:08,0"},
    {99, "2024-02-29 23:59:08,0"},
    {100, "2024-02-29 23:59:08,1"},
    {750, "2024-02-29 23:59:08,7"},
    {999, "2024-02-29 23:59:08,9"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nMilliseconds);
    EXPECT_EQ(row.pszText, PelldropTexts::timeText(leapNight(row.nMilliseconds)));
  }
  UtcTime early;
  early.nYear = 987;
  early.nMonth = 1;
  early.nDay = 2;
  early.nHour = 3;
  early.nMinute = 4;
  early.nSecond = 5;
  EXPECT_EQ("0987-01-02 03:04:05,0", PelldropTexts::timeText(early));
}

TEST(PelldropTextsTest, AWrittenFileIsNamedWithTimeSizeAndContents)
{
  EXPECT_EQ("Filename: 3.txt\r\nTime: 2024-02-29 23:59:08,4\r\nSize: 5 bytes\r\nContents: [ABCDE]",
            PelldropTexts::status(outcome(Result::Written, 3), leapNight(420), "ABCDE", ""));
  EXPECT_EQ("Filename: 100000.txt\r\nTime: 2024-02-29 23:59:08,0\r\nSize: 0 bytes\r\nContents: []",
            PelldropTexts::status(outcome(Result::Written, 100000), leapNight(0), "", ""));
  EXPECT_EQ("", PelldropTexts::failureMessage(outcome(Result::Written, 3), ""));
}

TEST(PelldropTextsTest, AStringNotWrittenIsShownWithWhereItsDataIs)
{
  struct Row
  {
    Result result;
    bool fTempKept;
    const char* pszStatusStart;
    const char* pszMessage;
  };
  const Row rgRows[] = {
    {Result::CannotCreate, false, "Not written: unable to create C:\\out\\1.tmp (no such folder).\r\n",
     "Unable to create temporary output file (C:\\out\\1.tmp).\n\nPlease check that the output folder exist and "
     "that you have write permission in that folder."},
    {Result::CannotWrite, false, "Not written: unable to write C:\\out\\1.tmp (no such folder).\r\n",
     "Unable to write temporary output file (C:\\out\\1.tmp): no such folder.\n\nThe data was not written."},
    {Result::NotRenamed, true,
     "Not renamed: unable to rename C:\\out\\1.tmp to C:\\out\\3.txt (no such folder). The data is kept in "
     "C:\\out\\1.tmp.\r\n",
     "Unable to rename temporary output file (C:\\out\\1.tmp) to C:\\out\\3.txt: no such folder.\n\nThe data is kept "
     "in C:\\out\\1.tmp."},
    {Result::NotRenamed, false,
     "Not renamed: unable to rename C:\\out\\1.tmp to C:\\out\\3.txt (no such folder). The data was not written.\r\n",
     "Unable to rename temporary output file (C:\\out\\1.tmp) to C:\\out\\3.txt: no such folder.\n\nThe data was not "
     "written."},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszStatusStart);
    NumberedFileWriter::Outcome failed = outcome(row.result, 0, row.fTempKept);
    EXPECT_EQ(std::string(row.pszStatusStart) + "Time: 2024-02-29 23:59:08,1\r\nSize: 3 bytes\r\nContents: [A\tB]",
              PelldropTexts::status(failed, leapNight(100), "A\tB", "no such folder"));
    EXPECT_EQ(row.pszMessage, PelldropTexts::failureMessage(failed, "no such folder"));
  }
}

TEST(PelldropTextsTest, MessagesOfTheConfigurationAndTheFolder)
{
  EXPECT_EQ("Config file (Pelldrop.ini) not found.", PelldropTexts::configNotFound("Pelldrop.ini"));
  EXPECT_EQ("Could not update config file (Pelldrop.ini).", PelldropTexts::configNotUpdated("Pelldrop.ini"));
  EXPECT_EQ("Output folder set to D:\\scans\\", PelldropTexts::folderSet("D:\\scans\\"));
  EXPECT_STREQ("Quilbar not found. Quilbar must be running!", PelldropTexts::kszQuilbarNotFound);
  EXPECT_STREQ("Error reading ini file.", PelldropTexts::kszErrorReadingIni);
  EXPECT_STREQ("Error writing ini file.", PelldropTexts::kszErrorWritingIni);
  EXPECT_STREQ("Failed to register the subscription message.", PelldropTexts::kszSubscribeNotRegistered);
  EXPECT_EQ("Nothing written: a data message without data arrived.\r\nTime: 2024-02-29 23:59:08,5",
            PelldropTexts::emptyMessageStatus(leapNight(500)));
}
}  // namespace
