#pragma once

#include "NumberedFileWriter.h"

#include <string>

// The system time in UTC, as the status text shows it.
struct UtcTime
{
  int nYear = 0;
  int nMonth = 0;
  int nDay = 0;
  int nHour = 0;
  int nMinute = 0;
  int nSecond = 0;
  int nMilliseconds = 0;
};

// Every text Pelldrop shows: the status text of "Last Activity" and the messages of its boxes.
class PelldropTexts
{
public:
  static const char kszCaption[];
  static const char kszSubscribeNotRegistered[];
  static const char kszQuilbarNotFound[];
  static const char kszErrorReadingIni[];
  static const char kszErrorWritingIni[];

  // "2024-05-01 13:04:05,7": seconds and tenths.
  static std::string timeText(const UtcTime& time);

  static std::string configNotFound(const std::string& strFileName);
  static std::string configNotUpdated(const std::string& strFileName);
  static std::string folderSet(const std::string& strFolder);

  // After a data string: the file written, or what went wrong and where the data is.
  static std::string status(const NumberedFileWriter::Outcome& outcome, const UtcTime& time,
                            const std::string& strData, const std::string& strSystemError);
  // The box shown when a data string was not written; empty when it was.
  static std::string failureMessage(const NumberedFileWriter::Outcome& outcome, const std::string& strSystemError);
  // A copy-data message without bytes.
  static std::string emptyMessageStatus(const UtcTime& time);
};
