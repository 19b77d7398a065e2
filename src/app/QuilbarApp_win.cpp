#include "QuilbarApp_win.h"

#include "AutoStartList.h"
#include "CommandLine.h"
#include "ProgramPath_win.h"
#include "QuilbarDlg_win.h"
#include "base/Assert.h"

#include <windows.h>
#include <commctrl.h>

// "/clean" only removes the program's start-with-system entries: no window, no port, no profile.
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
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CQuilbarDlg dialog(pszCommandLine);
  dialog.runModal(nullptr);
  return 0;
}
