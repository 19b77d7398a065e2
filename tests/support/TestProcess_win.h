#pragma once

#include <windows.h>

#include <chrono>
#include <string>

// A program started by a test and ended with it (terminated when it is still running).
class TestProcess
{
public:
  // strCommandLine is passed as it stands: quote the program's path when it holds blanks. An
  // empty strDirectory starts the program in the test's own current directory. With
  // hStandardError, the program gets that (inheritable) handle as its standard error, as a shell
  // that redirects it would pass it.
  explicit TestProcess(const std::string& strCommandLine, const std::string& strDirectory = "",
                       HANDLE hStandardError = nullptr);
  ~TestProcess();
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;

  // The command line of a program, its path quoted, with its arguments (if any).
  static std::string commandLine(const std::string& strProgram, const std::string& strArguments);

  bool started() const { return m_fStarted; }
  // For the figures a benchmark reads of the running program (working set, handle count).
  HANDLE handle() const { return m_pi.hProcess; }
  DWORD startError() const { return m_dwStartError; }
  // A top-level window of this process with that title and class, shown or not; a null title or
  // class matches any.
  HWND waitForWindow(const char* pszTitle, const char* pszClass,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(20000)) const;
  // True when the process ended in time; its exit code in *pdwExitCode.
  bool waitForExit(std::chrono::milliseconds timeout, DWORD* pdwExitCode = nullptr) const;
  bool isRunning() const;
  // Started and ended since (a program that never started has not ended).
  bool hasEnded() const;
  // Its exit code, STILL_ACTIVE while it runs.
  DWORD exitCode() const;
  // Ends the program as a crash would: no window message, no clean-up of its own.
  void kill();
  // The titles of this process's visible top-level windows, for failure messages.
  std::string visibleWindows() const;

  // Runs a command line to its end; its exit code, or ~0u when it did not start or end in time.
  static DWORD run(const std::string& strCommandLine, std::chrono::milliseconds timeout);
  // As run, with what the program wrote to its standard error in strStandardError.
  static DWORD run(const std::string& strCommandLine, std::chrono::milliseconds timeout, std::string& strStandardError);

private:
  PROCESS_INFORMATION m_pi = {};
  bool m_fStarted = false;
  DWORD m_dwStartError = 0;
};
