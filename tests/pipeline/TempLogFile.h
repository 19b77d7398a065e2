#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace pipelinetest
{
// A log file path of the running test in the temporary folder, removed before and after.
class TempLogFile
{
public:
  // Several files of one test differ by their suffix.
  explicit TempLogFile(const std::string& strSuffix = "")
  {
    const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string strName = std::string("quilbar_") + pInfo->test_suite_name() + "_" + pInfo->name() + strSuffix + ".log";
    for (char& ch : strName)
      if (ch == '/')
        ch = '_';
    m_path = std::filesystem::temp_directory_path() / strName;
    std::filesystem::remove(m_path);
  }
  ~TempLogFile() { std::filesystem::remove(m_path); }

  std::string path() const { return m_path.string(); }
  bool exists() const { return std::filesystem::exists(m_path); }
  std::string contents() const
  {
    std::ifstream file(m_path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

private:
  std::filesystem::path m_path;
};
}  // namespace pipelinetest
