#pragma once

#include "ExpressionActions.h"

#include <cstdint>
#include <string>

// The system side of output expressions on Windows: processes, top-level windows, the clipboard,
// files and the restart request.
class ExpressionActionsWin : public ExpressionActions
{
public:
  // The largest answer file Call reads; a bigger one is reported as unreadable.
  static const std::uint32_t kMaxFileSize = 16 * 1024 * 1024;

  std::uint32_t tickCount() override;
  std::tm localTime() override;
  void sleep(std::uint32_t nMilliseconds) override;

  ProgramHandle startProgram(const std::string& strCommandLine) override;
  bool waitForProgram(ProgramHandle hProgram, std::uint32_t nTimeout) override;
  void releaseProgram(ProgramHandle hProgram) override;

  WindowHandle findWindow(const std::string& strTitlePattern) override;
  void bringToFront(WindowHandle hWindow) override;

  void putOnClipboard(const std::string& strText) override;

  bool writeFile(const std::string& strPath, const std::string& strBytes) override;
  bool readFile(const std::string& strPath, std::string& strBytes) override;

  void restartSystem(bool fForce) override;

  enum class Privilege
  {
    kNoToken,  // the process token could not be opened
    kRefused,  // the privilege could not be looked up or enabled
    kEnabled,
  };
  // Enables the shutdown privilege in the process token, as restarting the system needs.
  static Privilege enableShutdownPrivilege();
};
