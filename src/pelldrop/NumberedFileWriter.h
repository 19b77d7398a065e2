#pragma once

#include "OutputFiles.h"

#include <cstdint>
#include <string>

// Writes each data string into a numbered file of the output folder: first under the first free
// "<n>.tmp" from the counter on, then renamed to the first free "<n>.txt" from the counter on, so
// that a file shows up complete and no existing file is ever overwritten. The counter starts at 1
// and lives only in memory.
class NumberedFileWriter
{
public:
  // The counter starts again at 1 once it has passed this number.
  static constexpr int knMaxNumber = 100000;
  // Renames of one data string that fail for another reason than an existing target, before
  // giving up.
  static constexpr int knMaxFailedRenames = 5;
  // Existing names (temporary or final) passed over for one data string before giving up: more
  // than a folder of files written this way can hold, so only a file system that reports every
  // name as taken reaches it.
  static constexpr int knMaxTakenNames = 2 * knMaxNumber;

  struct Outcome
  {
    enum class Result
    {
      Written,
      CannotCreate,  // the temporary file could not be created: nothing was written
      CannotWrite,   // not all bytes reached the temporary file, which is removed
      NotRenamed,    // the renames kept failing; the data may remain in the temporary file
    };
    Result result = Result::Written;
    int nNumber = 0;            // the number of the file written (Written)
    std::string strTempPath;    // the temporary file
    std::string strFinalPath;   // the file written, or the last name tried (NotRenamed)
    bool fTempKept = false;     // NotRenamed: the temporary file still holds the data
    uint32_t dwError = 0;       // the system's code of the last failure
  };

  explicit NumberedFileWriter(OutputFiles& files) : m_files(files) {}

  // strFolder ends with a backslash (or is empty), so names are simple concatenations.
  Outcome write(const std::string& strFolder, const std::string& strData);

  int getCounter() const { return m_nCounter; }

private:
  OutputFiles::WriteResult createTempFile(const std::string& strFolder, const std::string& strData, Outcome& outcome);
  void renameToFreeNumber(const std::string& strFolder, Outcome& outcome);

  OutputFiles& m_files;
  int m_nCounter = 1;
};
