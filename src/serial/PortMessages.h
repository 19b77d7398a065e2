#pragma once

#include <string>

// String resources of the port errors; %1 stands for the profile's port text.
enum
{
  kIdsPortOpenFailed = 103,
  kIdsPortSettingsFailed = 121,
};

// The resource text with %1 replaced by the port name; an unknown id is a programming error.
std::string formatPortError(int nId, const std::string& strPort);

extern const char* const kszFailedToCreateEvent;
extern const char* const kszFailedToCreateThread;
extern const char* const kszReplayOpenFailed;
extern const char* const kszReplaySelectTarget;
extern const char* const kszReplayCaption;

// The profile ends data strings by terminator, but its terminator setting yields none that can
// ever be received (empty, or only malformed fields): the port is not opened with it.
std::string formatNoTerminatorMessage(const std::string& strDataStringTerminator);

// Events of serial acquisition for the event log (PortHost::logEvent).
extern const char* const kszEventDataStringTooLong;
extern const char* const kszEventInjectedDataRefused;
extern const char* const kszEventReplayFileNotRemoved;
extern const char* const kszEventSerialPortError;
extern const char* const kszEventDataStringNotDelivered;
extern const char* const kszEventClipboardNotSent;
