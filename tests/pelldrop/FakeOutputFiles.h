#pragma once

#include "pelldrop/OutputFiles.h"

#include <functional>
#include <map>
#include <set>
#include <string>

namespace pelldroptest
{
// Files in memory, with failures a test can script. Folders are the text before the last
// separator; a file can only be made in a folder the fake knows. The contract tests hold it to
// the real file system.
class FakeOutputFiles : public OutputFiles
{
public:
  static constexpr uint32_t kdwDiskFull = 112;
  static constexpr uint32_t kdwNoFolder = 3;
  static constexpr uint32_t kdwLocked = 32;
  static constexpr uint32_t kdwExists = 80;

  explicit FakeOutputFiles(const std::string& strFolder) { m_setFolders.insert(folderOf(strFolder + "x")); }

  WriteResult writeFile(const std::string& strPath, const std::string& strData, uint32_t& dwError) override
  {
    if (m_setFolders.count(folderOf(strPath)) == 0)
    {
      dwError = kdwNoFolder;
      return WriteResult::CannotCreate;
    }
    if (m_mapFiles.count(strPath) != 0)
    {
      dwError = kdwExists;
      return WriteResult::NameTaken;
    }
    m_mapFiles[strPath] = m_fDiskFull ? strData.substr(0, strData.size() / 2) : strData;
    if (!m_fDiskFull)
      return WriteResult::Written;
    dwError = kdwDiskFull;
    return WriteResult::CannotWrite;
  }

  RenameResult renameFile(const std::string& strFrom, const std::string& strTo, uint32_t& dwError) override
  {
    ++m_nRenames;
    if (m_fnBeforeRename)
      m_fnBeforeRename(strFrom, strTo);
    if (m_fEveryNameTaken || m_mapFiles.count(strTo) != 0)
    {
      dwError = 183;
      return RenameResult::TargetExists;
    }
    if (m_nRenameFailures > 0)
    {
      --m_nRenameFailures;
      dwError = kdwLocked;
      return RenameResult::Failed;
    }
    auto it = m_mapFiles.find(strFrom);
    if (it == m_mapFiles.end() || m_setFolders.count(folderOf(strTo)) == 0)
    {
      dwError = kdwNoFolder;
      return RenameResult::Failed;
    }
    m_mapFiles[strTo] = it->second;
    m_mapFiles.erase(strFrom);
    return RenameResult::Renamed;
  }

  bool fileExists(const std::string& strPath) override { return m_mapFiles.count(strPath) != 0; }
  void removeFile(const std::string& strPath) override { m_mapFiles.erase(strPath); }
  void pauseBeforeRetry() override { ++m_nPauses; }
  std::string describeError(uint32_t dwError) override { return "fake error " + std::to_string(dwError); }

  // Removes a folder with every file in it.
  void removeFolder(const std::string& strFolder)
  {
    std::string strKey = folderOf(strFolder + "x");
    m_setFolders.erase(strKey);
    for (auto it = m_mapFiles.begin(); it != m_mapFiles.end();)
      it = folderOf(it->first) == strKey ? m_mapFiles.erase(it) : std::next(it);
  }

  std::map<std::string, std::string> m_mapFiles;
  bool m_fDiskFull = false;
  bool m_fEveryNameTaken = false;
  int m_nRenameFailures = 0;  // the next renames of a free name that fail
  int m_nRenames = 0;
  int m_nPauses = 0;
  std::function<void(const std::string& strFrom, const std::string& strTo)> m_fnBeforeRename;

private:
  static std::string folderOf(const std::string& strPath)
  {
    size_t nAt = strPath.find_last_of("\\/");
    return nAt == std::string::npos ? std::string() : strPath.substr(0, nAt);
  }

  std::set<std::string> m_setFolders;
};
}  // namespace pelldroptest
