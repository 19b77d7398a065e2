#pragma once

#include <cstdint>
#include <string>

// The profile values that serial acquisition reads, named like the profile's own values so that
// one adapter fills this record from the running profile. Texts are the settings pages' texts.
struct SerialSettings
{
  std::string strName;
  std::string strPort = "COM1";
  std::string strSpeed = "9600";
  std::string strData = "8";
  std::string strParity = "No parity";
  std::string strStop = "1";
  bool fDTR = true;
  bool fRTS = true;
  bool fCTSHigh = false;
  bool fCTSLow = false;
  bool fDSRHigh = false;
  bool fDSRLow = false;
  bool fRIHigh = false;
  bool fRILow = false;
  bool fDCDHigh = false;
  bool fDCDLow = false;
  std::string strInitString;
  uint32_t dwKeyCase = 0;  // 0 as received, 1 upper case, 2 lower case
  bool fHideWindow = false;
  bool fLogging = false;
  uint32_t dwTerminationType = 0;  // 0 terminator characters, 1 time-out
  std::string strDataStringTerminator = "<cr>";
  uint32_t dwTerminationTimeout = 30;  // milliseconds
};

enum : uint32_t
{
  kKeyCaseAsReceived = 0,
  kKeyCaseUpper = 1,
  kKeyCaseLower = 2,
  kTerminationByTerminator = 0,
  kTerminationByTimeout = 1,
};

class QuilbarProfile;

// The serial values of a profile; a flag is on when its stored number is exactly 1.
SerialSettings serialSettingsOf(const QuilbarProfile& profile);

// False when data strings end by terminator but the terminator setting yields none (empty, or
// only fields that are not valid notation): such a profile would never end a data string.
bool canEndDataStrings(const SerialSettings& settings);
