// QuilbarMonitor: follows a running Quilbar as a monitor and shows every data string, what became
// of it and why, the wedge's state and a test pad. The program is its window.
#include "MonitorDlg_win.h"
#include "MonitorHelp_win.h"
#include "MonitorTexts.h"
#include "pipeline/SubscriberMessages.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  if (RegisterWindowMessageA(kszQuilbar32MonitorSubscribe) == 0)
  {
    MessageBoxA(NULL, MonitorTexts::kszSubscribeNotRegistered, MonitorTexts::kszTitle, MB_OK | MB_ICONSTOP);
    return 1;
  }
  CDialogBase::setHelpHandler(showMonitorHelp, nullptr);
  INT_PTR nResult = CMonitorDlg().runModal(NULL);
  return nResult == -1 ? 1 : 0;
}
