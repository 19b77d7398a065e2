#include "PelldropTexts.h"

#include <cstdio>

const char PelldropTexts::kszCaption[] = "Pelldrop";
const char PelldropTexts::kszSubscribeNotRegistered[] = "Failed to register the subscription message.";
const char PelldropTexts::kszQuilbarNotFound[] = "Quilbar not found. Quilbar must be running!";
const char PelldropTexts::kszErrorReadingIni[] = "Error reading ini file.";
const char PelldropTexts::kszErrorWritingIni[] = "Error writing ini file.";

namespace
{
using Result = NumberedFileWriter::Outcome::Result;

std::string sizeAndContents(const std::string& strData)
{
  return "Size: " + std::to_string(strData.size()) + " bytes\r\nContents: [" + strData + "]";
}

std::string whereTheDataIs(const NumberedFileWriter::Outcome& outcome)
{
  if (outcome.result == Result::NotRenamed && outcome.fTempKept)
    return "The data is kept in " + outcome.strTempPath + ".";
  return "The data was not written.";
}
}  // namespace

std::string PelldropTexts::timeText(const UtcTime& time)
{
  char szTime[96];
  std::snprintf(szTime, sizeof(szTime), "%04d-%02d-%02d %02d:%02d:%02d,%d", time.nYear, time.nMonth, time.nDay,
                time.nHour, time.nMinute, time.nSecond, time.nMilliseconds / 100);
  return szTime;
}

std::string PelldropTexts::configNotFound(const std::string& strFileName)
{
  return "Config file (" + strFileName + ") not found.";
}

std::string PelldropTexts::configNotUpdated(const std::string& strFileName)
{
  return "Could not update config file (" + strFileName + ").";
}

std::string PelldropTexts::folderSet(const std::string& strFolder)
{
  return "Output folder set to " + strFolder;
}

// The data's contents stay in the status also when it was not written, so nothing scanned is
// lost from sight.
std::string PelldropTexts::status(const NumberedFileWriter::Outcome& outcome, const UtcTime& time,
                                  const std::string& strData, const std::string& strSystemError)
{
  std::string strTime = "Time: " + timeText(time) + "\r\n";
  switch (outcome.result)
  {
  case Result::Written:
    return "Filename: " + std::to_string(outcome.nNumber) + ".txt\r\n" + strTime + sizeAndContents(strData);
  case Result::CannotCreate:
    return "Not written: unable to create " + outcome.strTempPath + " (" + strSystemError + ").\r\n" + strTime +
           sizeAndContents(strData);
  case Result::CannotWrite:
    return "Not written: unable to write " + outcome.strTempPath + " (" + strSystemError + ").\r\n" + strTime +
           sizeAndContents(strData);
  case Result::NotRenamed:
    break;
  }
  return "Not renamed: unable to rename " + outcome.strTempPath + " to " + outcome.strFinalPath + " (" +
         strSystemError + "). " + whereTheDataIs(outcome) + "\r\n" + strTime + sizeAndContents(strData);
}

std::string PelldropTexts::failureMessage(const NumberedFileWriter::Outcome& outcome, const std::string& strSystemError)
{
  switch (outcome.result)
  {
  case Result::Written:
    return std::string();
  case Result::CannotCreate:
    return "Unable to create temporary output file (" + outcome.strTempPath +
           ").\n\nPlease check that the output folder exist and that you have write permission in that folder.";
  case Result::CannotWrite:
    return "Unable to write temporary output file (" + outcome.strTempPath + "): " + strSystemError +
           ".\n\nThe data was not written.";
  case Result::NotRenamed:
    break;
  }
  return "Unable to rename temporary output file (" + outcome.strTempPath + ") to " + outcome.strFinalPath + ": " +
         strSystemError + ".\n\n" + whereTheDataIs(outcome);
}

std::string PelldropTexts::emptyMessageStatus(const UtcTime& time)
{
  return "Nothing written: a data message without data arrived.\r\nTime: " + timeText(time);
}
