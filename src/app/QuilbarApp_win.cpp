#include "QuilbarApp_win.h"

#include "AutoStartList.h"
#include "CommandLine.h"
#include "ProgramPath_win.h"
#include "QuilbarDlg_win.h"
#include "SettingsFileCommand.h"
#include "StandardError_win.h"
#include "base/Assert.h"
#include "settings/QuilbarProfileStore.h"

#include <windows.h>
#include <commctrl.h>

// "/clean" only removes the program's start-with-system entries, "/export" and "/import" only move
// the settings: no window, no port, no box.
int CQuilbarApp::run(const char* pszCommandLine)
{
  HANDLE hProcess = GetCurrentProcess();
  QB_ASSERT(TRUE == SetPriorityClass( hProcess, HIGH_PRIORITY_CLASS ));
  QB_ASSERT(NULL != pszCommandLine);
  if (commandline::isCleanSwitch(pszCommandLine))
  {
    AutoStartList(programShortPath).unregisterAllAutoStart();
    return 0;
  }
  std::string strFile;
  commandline::SettingsSwitch settingsSwitch = commandline::settingsFileSwitch(pszCommandLine, strFile);
  if (settingsSwitch != commandline::SettingsSwitch::None)
  {
    QuilbarProfileStore store;
    std::string strError;
    int nExitCode = SettingsFileCommand::run(settingsSwitch, strFile, store, AutoStartList(programShortPath), strError);
    if (nExitCode != 0)
      writeStandardErrorLine(strError);
    return nExitCode;
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CQuilbarDlg dialog(pszCommandLine);
  dialog.runModal(nullptr);
  return 0;
}
