#pragma once

#include <string>

// The program's command line carries either the switch "/clean" or the name of the profile to
// run (possibly empty).
namespace commandline
{
// True when the whole command line is "/clean", letter case ignored. "/clean" followed by anything
// else is a profile name like any other.
bool isCleanSwitch(const std::string& strCommandLine);
}  // namespace commandline
