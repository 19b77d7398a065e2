// The numbered files, against the real file system of the platform (Win32 under Wine, POSIX
// natively) and against the fake that the failure tests use: both must behave alike.
#include "pelldrop/NumberedFileWriter.h"

#include "FakeOutputFiles.h"
#include "TestFolders.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using pelldroptest::FakeOutputFiles;
using pelldroptest::makeTestFolder;
using pelldroptest::TestFolder;
using Result = NumberedFileWriter::Outcome::Result;
using Names = std::vector<std::string>;

class NumberedFileWriterTest : public ::testing::TestWithParam<bool>
{
protected:
  NumberedFileWriter::Outcome write(const std::string& strData) { return m_writer.write(m_pFolder->folder(), strData); }

  std::unique_ptr<TestFolder> m_pFolder = makeTestFolder(GetParam());
  NumberedFileWriter m_writer{m_pFolder->files()};
};

TEST_P(NumberedFileWriterTest, TheFirstStringGoesToOneAndTheNextToTwo)
{
  NumberedFileWriter::Outcome first = write("ABC");
  EXPECT_EQ(Result::Written, first.result);
  EXPECT_EQ(1, first.nNumber);
  EXPECT_EQ(m_pFolder->folder() + "1.tmp", first.strTempPath);
  EXPECT_EQ(m_pFolder->folder() + "1.txt", first.strFinalPath);
  EXPECT_EQ(2, write("DEF").nNumber);
  EXPECT_EQ((Names{"1.txt", "2.txt"}), m_pFolder->names()) << "no temporary file is left";
  EXPECT_EQ("ABC", m_pFolder->contents("1.txt"));
  EXPECT_EQ("DEF", m_pFolder->contents("2.txt"));
}

TEST_P(NumberedFileWriterTest, FilesPresentAreSkippedAndNeverOverwritten)
{
  m_pFolder->put("1.txt", "old one");
  m_pFolder->put("2.txt", "old two");
  m_pFolder->put("4.txt", "old four");
  NumberedFileWriter::Outcome outcome = write("new");
  EXPECT_EQ(Result::Written, outcome.result);
  EXPECT_EQ(3, outcome.nNumber);
  EXPECT_EQ(m_pFolder->folder() + "1.tmp", outcome.strTempPath) << "the temporary name is the counter's";
  EXPECT_EQ(4, m_writer.getCounter());
  // The next starts from 4, which is taken too.
  EXPECT_EQ(5, write("newer").nNumber);
  EXPECT_EQ((Names{"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}), m_pFolder->names());
  EXPECT_EQ("old one", m_pFolder->contents("1.txt"));
  EXPECT_EQ("old two", m_pFolder->contents("2.txt"));
  EXPECT_EQ("old four", m_pFolder->contents("4.txt"));
  EXPECT_EQ("new", m_pFolder->contents("3.txt"));
  EXPECT_EQ("newer", m_pFolder->contents("5.txt"));
}

// A temporary file left by an earlier run (one a message said keeps its data, or a read-only one)
// is neither truncated nor in the way: the next free temporary name is taken.
TEST_P(NumberedFileWriterTest, TemporaryFilesLeftBehindAreSkippedAndKept)
{
  m_pFolder->put("1.tmp", "kept data");
  m_pFolder->putReadOnly("2.tmp", "read-only");
  NumberedFileWriter::Outcome outcome = write("new");
  EXPECT_EQ(Result::Written, outcome.result);
  EXPECT_EQ(m_pFolder->folder() + "3.tmp", outcome.strTempPath);
  EXPECT_EQ(1, outcome.nNumber);
  EXPECT_EQ(2, write("next").nNumber);
  EXPECT_EQ((Names{"1.tmp", "1.txt", "2.tmp", "2.txt"}), m_pFolder->names());
  EXPECT_EQ("kept data", m_pFolder->contents("1.tmp"));
  EXPECT_EQ("read-only", m_pFolder->contents("2.tmp"));
  EXPECT_EQ("new", m_pFolder->contents("1.txt"));
  EXPECT_EQ("next", m_pFolder->contents("2.txt"));
}

TEST_P(NumberedFileWriterTest, AFileHoldsExactlyTheBytesOfItsString)
{
  std::string strEveryByte;
  for (int ch = 1; ch < 256; ++ch)
    strEveryByte += static_cast<char>(ch);
  const std::string rgstrData[] = {"", "12345", "A\r\nB\r", "\x1D" "01\x1D", strEveryByte, std::string(70000, 'q')};
  for (const std::string& strData : rgstrData)
  {
    SCOPED_TRACE(strData.size());
    NumberedFileWriter::Outcome outcome = write(strData);
    ASSERT_EQ(Result::Written, outcome.result);
    EXPECT_EQ(strData, m_pFolder->contents(std::to_string(outcome.nNumber) + ".txt"));
  }
}

TEST_P(NumberedFileWriterTest, AMissingFolderWritesNothingAndKeepsTheCounter)
{
  NumberedFileWriter::Outcome outcome = m_writer.write(m_pFolder->folder() + "missing" + m_pFolder->folder().back(), "x");
  EXPECT_EQ(Result::CannotCreate, outcome.result);
  EXPECT_NE(0u, outcome.dwError);
  EXPECT_EQ(1, m_writer.getCounter());
  EXPECT_TRUE(m_pFolder->names().empty());
  EXPECT_EQ(1, write("y").nNumber);
}

INSTANTIATE_TEST_SUITE_P(FileSystems, NumberedFileWriterTest, ::testing::Values(true, false),
                         pelldroptest::fileSystemName);

// Failures the real file system cannot be made to show on demand.
class NumberedFileWriterFailureTest : public ::testing::Test
{
protected:
  NumberedFileWriter::Outcome write(const std::string& strData) { return m_writer.write("C:\\out\\", strData); }

  FakeOutputFiles m_files{"C:\\out\\"};
  NumberedFileWriter m_writer{m_files};
};

TEST_F(NumberedFileWriterFailureTest, AFullDiskRemovesTheIncompleteFileAndKeepsTheCounter)
{
  m_files.m_fDiskFull = true;
  NumberedFileWriter::Outcome outcome = write("ABCDEF");
  EXPECT_EQ(Result::CannotWrite, outcome.result);
  EXPECT_EQ(FakeOutputFiles::kdwDiskFull, outcome.dwError);
  EXPECT_TRUE(m_files.m_mapFiles.empty());
  EXPECT_EQ(1, m_writer.getCounter());
  EXPECT_EQ(0, m_files.m_nRenames);
}

TEST_F(NumberedFileWriterFailureTest, ARenameThatFailsAFewTimesIsRetriedUnderTheSameNumber)
{
  m_files.m_nRenameFailures = NumberedFileWriter::knMaxFailedRenames - 1;
  NumberedFileWriter::Outcome outcome = write("ABC");
  EXPECT_EQ(Result::Written, outcome.result);
  EXPECT_EQ(1, outcome.nNumber) << "no number is lost to a failed rename";
  EXPECT_EQ(NumberedFileWriter::knMaxFailedRenames - 1, m_files.m_nPauses);
  EXPECT_EQ(2, m_writer.getCounter());
}

TEST_F(NumberedFileWriterFailureTest, RenamesThatKeepFailingStopAtTheBoundAndKeepTheData)
{
  m_files.m_mapFiles["C:\\out\\1.txt"] = "taken";
  m_files.m_nRenameFailures = 1000;
  NumberedFileWriter::Outcome outcome = write("ABC");
  EXPECT_EQ(Result::NotRenamed, outcome.result);
  EXPECT_EQ(1 + NumberedFileWriter::knMaxFailedRenames, m_files.m_nRenames) << "one taken name, then the bound";
  EXPECT_EQ(NumberedFileWriter::knMaxFailedRenames - 1, m_files.m_nPauses);
  EXPECT_TRUE(outcome.fTempKept);
  EXPECT_EQ("C:\\out\\1.tmp", outcome.strTempPath);
  EXPECT_EQ("C:\\out\\2.txt", outcome.strFinalPath);
  EXPECT_EQ(FakeOutputFiles::kdwLocked, outcome.dwError);
  EXPECT_EQ("ABC", m_files.m_mapFiles["C:\\out\\1.tmp"]);

  // The kept file is not the next temporary file.
  m_files.m_nRenameFailures = 0;
  NumberedFileWriter::Outcome next = write("DEF");
  EXPECT_EQ(Result::Written, next.result);
  EXPECT_EQ("C:\\out\\2.tmp", next.strTempPath);
  EXPECT_EQ(2, next.nNumber);
  EXPECT_EQ("ABC", m_files.m_mapFiles["C:\\out\\1.tmp"]);
}

TEST_F(NumberedFileWriterFailureTest, AFolderRemovedBeforeTheRenameLosesTheTemporaryFileAndSaysSo)
{
  m_files.m_fnBeforeRename = [this](const std::string&, const std::string&) { m_files.removeFolder("C:\\out\\"); };
  NumberedFileWriter::Outcome outcome = write("ABC");
  EXPECT_EQ(Result::NotRenamed, outcome.result);
  EXPECT_FALSE(outcome.fTempKept);
  EXPECT_EQ(NumberedFileWriter::knMaxFailedRenames, m_files.m_nRenames);
  EXPECT_EQ(1, m_writer.getCounter()) << "nothing kept, no number used";
}

TEST_F(NumberedFileWriterFailureTest, AFileSystemThatCallsEveryNameTakenDoesNotHoldTheLoopForever)
{
  m_files.m_fEveryNameTaken = true;
  NumberedFileWriter::Outcome outcome = write("ABC");
  EXPECT_EQ(Result::NotRenamed, outcome.result);
  EXPECT_EQ(NumberedFileWriter::knMaxTakenNames, m_files.m_nRenames);
  EXPECT_TRUE(outcome.fTempKept);
  EXPECT_GE(m_writer.getCounter(), 1);
  EXPECT_LE(m_writer.getCounter(), NumberedFileWriter::knMaxNumber);
}

// With 1.txt to 99999.txt present the string becomes 100000.txt; the counter then starts again
// at 1, and the next string takes the first free number counted from 1.
TEST_F(NumberedFileWriterFailureTest, TheCounterStartsAgainAtOneAfter100000)
{
  for (int n = 1; n < NumberedFileWriter::knMaxNumber; ++n)
    m_files.m_mapFiles["C:\\out\\" + std::to_string(n) + ".txt"] = "";
  NumberedFileWriter::Outcome outcome = write("last");
  EXPECT_EQ(Result::Written, outcome.result);
  EXPECT_EQ(100000, outcome.nNumber);
  EXPECT_EQ(1, m_writer.getCounter());
  m_files.m_mapFiles.erase("C:\\out\\7.txt");
  outcome = write("wrapped");
  EXPECT_EQ("C:\\out\\1.tmp", outcome.strTempPath);
  EXPECT_EQ(7, outcome.nNumber);
  EXPECT_EQ("wrapped", m_files.m_mapFiles["C:\\out\\7.txt"]);

  // A file at 100000 sends the loop past it; the counter then starts again too.
  for (int n = 8; n <= NumberedFileWriter::knMaxNumber; ++n)
    m_files.m_mapFiles["C:\\out\\" + std::to_string(n) + ".txt"] = "";
  outcome = write("beyond");
  EXPECT_EQ(100001, outcome.nNumber);
  EXPECT_EQ(1, m_writer.getCounter());
}
}  // namespace
