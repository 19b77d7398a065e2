#pragma once

#include "OutputFiles.h"

// The file system of the running system (Win32 under Windows, POSIX natively).
class SystemOutputFiles : public OutputFiles
{
public:
  WriteResult writeFile(const std::string& strPath, const std::string& strData, uint32_t& dwError) override;
  RenameResult renameFile(const std::string& strFrom, const std::string& strTo, uint32_t& dwError) override;
  bool fileExists(const std::string& strPath) override;
  void removeFile(const std::string& strPath) override;
  void pauseBeforeRetry() override;
  std::string describeError(uint32_t dwError) override;

  // How long pauseBeforeRetry waits.
  static constexpr unsigned kuRetryPauseMs = 50;
};
