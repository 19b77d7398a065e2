#pragma once

// The application object: the process priority, the command line ("/clean" or the name of the
// profile to run) and the main window, which lives for the whole run.
class CQuilbarApp
{
public:
  // Returns when the program ends; the result is the process's exit code.
  int run(const char* pszCommandLine);
};
