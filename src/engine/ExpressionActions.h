#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// A started program as the operating system identifies it; null means none.
typedef void* ProgramHandle;
// A top-level window; null means none.
typedef void* WindowHandle;

// What output expressions ask of the operating system. The Windows layer implements it for real;
// tests and the fuzzer implement it as a recording fake.
class ExpressionActions
{
public:
  virtual ~ExpressionActions() = default;

  // Milliseconds since some fixed start; wraps around like the system tick counter.
  virtual std::uint32_t tickCount() = 0;
  virtual std::tm localTime() = 0;
  virtual void sleep(std::uint32_t nMilliseconds) = 0;

  // Starts a program from a whole command line; null when it could not be started.
  virtual ProgramHandle startProgram(const std::string& strCommandLine) = 0;
  // Waits for the program's end, nTimeout milliseconds at most (0: no limit); true when it ended.
  virtual bool waitForProgram(ProgramHandle hProgram, std::uint32_t nTimeout) = 0;
  // Forgets a started program without ending it.
  virtual void releaseProgram(ProgramHandle hProgram) = 0;

  // The first top-level window whose whole title matches the pattern, or null.
  virtual WindowHandle findWindow(const std::string& strTitlePattern) = 0;
  virtual void bringToFront(WindowHandle hWindow) = 0;

  // Replaces the clipboard with the text; a clipboard that cannot be opened is not an error.
  virtual void putOnClipboard(const std::string& strText) = 0;

  // Creates or truncates the file and writes the bytes; false on any failure.
  virtual bool writeFile(const std::string& strPath, const std::string& strBytes) = 0;
  // Reads the whole file; false when it cannot be opened or read completely.
  virtual bool readFile(const std::string& strPath, std::string& strBytes) = 0;

  // Asks the system to restart, closing running programs without asking when fForce is set.
  virtual void restartSystem(bool fForce) = 0;
};
