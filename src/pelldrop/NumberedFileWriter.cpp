#include "NumberedFileWriter.h"

NumberedFileWriter::Outcome NumberedFileWriter::write(const std::string& strFolder, const std::string& strData)
{
  Outcome outcome;
  int nTempNumber = m_nCounter;
  outcome.strTempPath = strFolder + std::to_string(nTempNumber) + ".tmp";
  OutputFiles::WriteResult written = m_files.writeFile(outcome.strTempPath, strData, outcome.dwError);
  if (written == OutputFiles::WriteResult::CannotCreate)
  {
    outcome.result = Outcome::Result::CannotCreate;
    return outcome;
  }
  if (written == OutputFiles::WriteResult::CannotWrite)
  {
    m_files.removeFile(outcome.strTempPath);
    outcome.result = Outcome::Result::CannotWrite;
    return outcome;
  }
  renameToFreeNumber(strFolder, outcome);
  // A temporary file kept with its data must not be truncated by the next data string.
  if (outcome.result == Outcome::Result::NotRenamed && outcome.fTempKept && m_nCounter <= nTempNumber)
    m_nCounter = nTempNumber + 1;
  if (m_nCounter > knMaxNumber)
    m_nCounter = 1;
  return outcome;
}

// A taken name costs its number; a name that could not be taken for another reason is tried
// again after a pause, a bounded number of times, so a vanished folder or a full disk ends the
// loop instead of spinning in it.
void NumberedFileWriter::renameToFreeNumber(const std::string& strFolder, Outcome& outcome)
{
  int nFailed = 0;
  int nTaken = 0;
  for (;;)
  {
    int nNumber = m_nCounter++;
    outcome.strFinalPath = strFolder + std::to_string(nNumber) + ".txt";
    OutputFiles::RenameResult renamed = m_files.renameFile(outcome.strTempPath, outcome.strFinalPath, outcome.dwError);
    if (renamed == OutputFiles::RenameResult::Renamed)
    {
      outcome.result = Outcome::Result::Written;
      outcome.nNumber = nNumber;
      return;
    }
    if (renamed == OutputFiles::RenameResult::TargetExists)
    {
      if (++nTaken >= knMaxTakenNames)
        break;
      continue;
    }
    m_nCounter = nNumber;
    if (++nFailed >= knMaxFailedRenames)
      break;
    m_files.pauseBeforeRetry();
  }
  outcome.result = Outcome::Result::NotRenamed;
  outcome.fTempKept = m_files.fileExists(outcome.strTempPath);
}
