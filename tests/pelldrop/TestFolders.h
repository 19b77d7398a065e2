#pragma once

#include "FakeOutputFiles.h"
#include "ScratchFolder.h"
#include "pelldrop/SystemOutputFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pelldroptest
{
// An output folder and the files in it, on the system's file system or in the fake, so that one
// test runs against both and holds the fake to the real thing.
class TestFolder
{
public:
  virtual ~TestFolder() = default;
  virtual OutputFiles& files() = 0;
  // Ends with a separator.
  virtual std::string folder() const = 0;
  virtual void put(const std::string& strName, const std::string& strContents) = 0;
  virtual void putReadOnly(const std::string& strName, const std::string& strContents) = 0;
  virtual std::string contents(const std::string& strName) = 0;
  // The file names, sorted.
  virtual std::vector<std::string> names() = 0;
  std::string path(const std::string& strName) const { return folder() + strName; }
};

class RealTestFolder : public TestFolder
{
public:
  OutputFiles& files() override { return m_files; }
  std::string folder() const override { return m_scratch.folder(); }
  void put(const std::string& strName, const std::string& strContents) override
  {
    m_scratch.writeFile(strName, strContents);
  }
  void putReadOnly(const std::string& strName, const std::string& strContents) override
  {
    m_scratch.writeFile(strName, strContents);
    m_scratch.makeReadOnly(strName);
  }
  std::string contents(const std::string& strName) override { return m_scratch.readFile(strName); }
  std::vector<std::string> names() override { return m_scratch.fileNames(); }

private:
  ScratchFolder m_scratch;
  SystemOutputFiles m_files;
};

class FakeTestFolder : public TestFolder
{
public:
  OutputFiles& files() override { return m_files; }
  std::string folder() const override { return "C:\\out\\"; }
  void put(const std::string& strName, const std::string& strContents) override
  {
    m_files.m_mapFiles[path(strName)] = strContents;
  }
  // The fake never opens a file that exists, whatever its attributes.
  void putReadOnly(const std::string& strName, const std::string& strContents) override { put(strName, strContents); }
  std::string contents(const std::string& strName) override { return m_files.m_mapFiles[path(strName)]; }
  std::vector<std::string> names() override
  {
    std::vector<std::string> rgstrNames;
    for (const auto& file : m_files.m_mapFiles)
      rgstrNames.push_back(file.first.substr(folder().size()));
    return rgstrNames;
  }

private:
  FakeOutputFiles m_files{"C:\\out\\"};
};

inline std::unique_ptr<TestFolder> makeTestFolder(bool fReal)
{
  if (fReal)
    return std::make_unique<RealTestFolder>();
  return std::make_unique<FakeTestFolder>();
}

inline std::string fileSystemName(const ::testing::TestParamInfo<bool>& info)
{
  return info.param ? "Real" : "Fake";
}
}  // namespace pelldroptest
