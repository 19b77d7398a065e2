#include "ScratchFolder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace
{
std::atomic<int> g_nFolders{0};
}

ScratchFolder::ScratchFolder()
{
  auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path folder = fs::temp_directory_path() /
                    ("pelldrop-test-" + std::to_string(nTicks) + "-" + std::to_string(++g_nFolders));
  fs::create_directories(folder);
  m_strFolder = folder.string() + static_cast<char>(fs::path::preferred_separator);
}

// Read-only files would keep their folder under Windows.
ScratchFolder::~ScratchFolder()
{
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(m_strFolder), error))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
  fs::remove_all(fs::path(m_strFolder), error);
}

void ScratchFolder::writeFile(const std::string& strName, const std::string& strContents) const
{
  std::ofstream file(path(strName), std::ios::binary | std::ios::trunc);
  file.write(strContents.data(), static_cast<std::streamsize>(strContents.size()));
}

void ScratchFolder::makeReadOnly(const std::string& strName) const
{
  fs::permissions(fs::path(path(strName)), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

std::string ScratchFolder::readFile(const std::string& strName) const
{
  std::ifstream file(path(strName), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool ScratchFolder::exists(const std::string& strName) const
{
  return fs::exists(fs::path(path(strName)));
}

std::vector<std::string> ScratchFolder::fileNames() const
{
  std::vector<std::string> rgstrNames;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(m_strFolder)))
    rgstrNames.push_back(entry.path().filename().string());
  std::sort(rgstrNames.begin(), rgstrNames.end());
  return rgstrNames;
}
