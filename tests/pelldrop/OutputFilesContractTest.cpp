// What the numbered-file writer relies on, held against the system's file system and the fake
// alike: above all, a rename never replaces an existing file.
#include "TestFolders.h"

#include <gtest/gtest.h>

namespace
{
using pelldroptest::makeTestFolder;
using pelldroptest::TestFolder;
using Names = std::vector<std::string>;

class OutputFilesContractTest : public ::testing::TestWithParam<bool>
{
protected:
  std::unique_ptr<TestFolder> m_pFolder = makeTestFolder(GetParam());
  OutputFiles& m_files = m_pFolder->files();
  uint32_t m_dwError = 0;
};

TEST_P(OutputFilesContractTest, WriteCreatesANewFileAndNeverOpensOneThatExists)
{
  m_pFolder->put("a.tmp", "a much longer text that was there");
  m_pFolder->putReadOnly("r.tmp", "read-only");
  EXPECT_EQ(OutputFiles::WriteResult::NameTaken, m_files.writeFile(m_pFolder->path("a.tmp"), "new", m_dwError));
  EXPECT_EQ(OutputFiles::WriteResult::NameTaken, m_files.writeFile(m_pFolder->path("r.tmp"), "new", m_dwError));
  EXPECT_EQ("a much longer text that was there", m_pFolder->contents("a.tmp"));
  EXPECT_EQ("read-only", m_pFolder->contents("r.tmp"));
  EXPECT_EQ(OutputFiles::WriteResult::Written, m_files.writeFile(m_pFolder->path("b.tmp"), "", m_dwError));
  EXPECT_TRUE(m_files.fileExists(m_pFolder->path("b.tmp")));
  EXPECT_EQ("", m_pFolder->contents("b.tmp"));
}

TEST_P(OutputFilesContractTest, WriteIntoAMissingFolderCannotCreate)
{
  std::string strMissing = m_pFolder->path("missing") + m_pFolder->folder().back() + "1.tmp";
  EXPECT_EQ(OutputFiles::WriteResult::CannotCreate, m_files.writeFile(strMissing, "x", m_dwError));
  EXPECT_NE(0u, m_dwError);
  EXPECT_FALSE(m_files.fileExists(strMissing));
}

TEST_P(OutputFilesContractTest, RenameMovesToAFreeNameOnly)
{
  m_pFolder->put("1.tmp", "data");
  m_pFolder->put("1.txt", "earlier");
  EXPECT_EQ(OutputFiles::RenameResult::TargetExists,
            m_files.renameFile(m_pFolder->path("1.tmp"), m_pFolder->path("1.txt"), m_dwError));
  EXPECT_EQ("earlier", m_pFolder->contents("1.txt"));
  EXPECT_EQ("data", m_pFolder->contents("1.tmp"));
  EXPECT_EQ(OutputFiles::RenameResult::Renamed,
            m_files.renameFile(m_pFolder->path("1.tmp"), m_pFolder->path("2.txt"), m_dwError));
  EXPECT_EQ((Names{"1.txt", "2.txt"}), m_pFolder->names());
  EXPECT_EQ("data", m_pFolder->contents("2.txt"));
}

TEST_P(OutputFilesContractTest, RenameOfAMissingFileOrIntoAMissingFolderFails)
{
  EXPECT_EQ(OutputFiles::RenameResult::Failed,
            m_files.renameFile(m_pFolder->path("9.tmp"), m_pFolder->path("9.txt"), m_dwError));
  EXPECT_NE(0u, m_dwError);
  m_pFolder->put("1.tmp", "data");
  std::string strMissing = m_pFolder->path("missing") + m_pFolder->folder().back() + "1.txt";
  EXPECT_EQ(OutputFiles::RenameResult::Failed, m_files.renameFile(m_pFolder->path("1.tmp"), strMissing, m_dwError));
  EXPECT_TRUE(m_files.fileExists(m_pFolder->path("1.tmp")));
}

TEST_P(OutputFilesContractTest, RemoveAndExists)
{
  m_pFolder->put("1.tmp", "data");
  EXPECT_TRUE(m_files.fileExists(m_pFolder->path("1.tmp")));
  m_files.removeFile(m_pFolder->path("1.tmp"));
  EXPECT_FALSE(m_files.fileExists(m_pFolder->path("1.tmp")));
  m_files.removeFile(m_pFolder->path("1.tmp"));
  EXPECT_TRUE(m_pFolder->names().empty());
}

TEST_P(OutputFilesContractTest, ErrorsAreDescribedInWords)
{
  m_files.renameFile(m_pFolder->path("9.tmp"), m_pFolder->path("9.txt"), m_dwError);
  EXPECT_FALSE(m_files.describeError(m_dwError).empty());
}

INSTANTIATE_TEST_SUITE_P(FileSystems, OutputFilesContractTest, ::testing::Values(true, false),
                         pelldroptest::fileSystemName);
}  // namespace
