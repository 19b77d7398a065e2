#pragma once

#include "CommandLine.h"

#include <string>

class AutoStartList;
class QuilbarProfileStore;

// What "/export FILE" and "/import FILE" do. They run without a window and without a message box,
// since installers and deployment tools call them silently: the result is the exit code and a
// one-line reason.
class SettingsFileCommand
{
public:
  // 0 on success, 1 with the reason in strError. An import also brings the start-with-Windows
  // entries in line with the imported profiles: an entry of a profile that is gone would start
  // the program with a name it no longer knows at every log-on.
  static int run(commandline::SettingsSwitch kind, const std::string& strFile, QuilbarProfileStore& store, const AutoStartList& autoStart,
                 std::string& strError);
};
