#include "NumberedFileWriter.h"

NumberedFileWriter::Outcome NumberedFileWriter::write(const std::string& strFolder, const std::string& strData)
{
  Outcome outcome;
  OutputFiles::WriteResult written = createTempFile(strFolder, strData, outcome);
  if (written == OutputFiles::WriteResult::NameTaken || written == OutputFiles::WriteResult::CannotCreate)
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
  if (m_nCounter > knMaxNumber)
    m_nCounter = 1;
  return outcome;
}

// The temporary name is the counter's, or the first free one after it: a temporary file left
// behind (one a message said keeps its data, or a read-only one) is neither truncated nor in the
// way of later strings. The counter itself stays, so the final numbers remain dense.
OutputFiles::WriteResult NumberedFileWriter::createTempFile(const std::string& strFolder, const std::string& strData,
                                                            Outcome& outcome)
{
  OutputFiles::WriteResult written = OutputFiles::WriteResult::NameTaken;
  for (int nTaken = 0; written == OutputFiles::WriteResult::NameTaken && nTaken < knMaxTakenNames; ++nTaken)
  {
    outcome.strTempPath = strFolder + std::to_string(m_nCounter + nTaken) + ".tmp";
    written = m_files.writeFile(outcome.strTempPath, strData, outcome.dwError);
  }
  return written;
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
