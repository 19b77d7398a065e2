#pragma once

#include <string>

// The program's command line carries the switch "/clean", one of the settings file switches, or
// the name of the profile to run (possibly empty).
namespace commandline
{
// True when the whole command line is "/clean", letter case ignored. "/clean" followed by anything
// else is a profile name like any other.
bool isCleanSwitch(const std::string& strCommandLine);

enum class SettingsSwitch
{
  None,  // no such switch: the command line names a profile
  Export,
  Import
};

// "/export FILE" or "/import FILE": the switch in any letter case at the start, then blanks and
// the file name (in double quotes when it holds blanks; empty when none follows, which the
// command refuses with its usage). "/exports" and the like are profile names.
SettingsSwitch settingsFileSwitch(const std::string& strCommandLine, std::string& strFile);
}  // namespace commandline
