#pragma once

#include <cstdint>
#include <string>

// What the numbered-file writer asks of the file system. The system's implementation is
// SystemOutputFiles; tests add scripted failures.
class OutputFiles
{
public:
  enum class WriteResult
  {
    Written,
    NameTaken,    // a file of that name exists: it is left as it is
    CannotCreate,
    CannotWrite,  // created, but the bytes did not all reach it
  };
  enum class RenameResult
  {
    Renamed,
    TargetExists,
    Failed,  // for any other reason: the target stays free
  };

  virtual ~OutputFiles() = default;

  // Creates a new file and writes the bytes; never opens a file that exists. dwError is the
  // system's code on failure.
  virtual WriteResult writeFile(const std::string& strPath, const std::string& strData, uint32_t& dwError) = 0;
  // Renames without ever replacing an existing target.
  virtual RenameResult renameFile(const std::string& strFrom, const std::string& strTo, uint32_t& dwError) = 0;
  virtual bool fileExists(const std::string& strPath) = 0;
  virtual void removeFile(const std::string& strPath) = 0;
  // A short wait before a failed rename is tried again (a virus scanner may hold a new file).
  virtual void pauseBeforeRetry() = 0;
  // The system's own words for an error code.
  virtual std::string describeError(uint32_t dwError) = 0;
};
