// Pelldrop, the numbered-file writer: subscribes to the running Quilbar and writes every data
// string it receives into a numbered file. The program is its dialog; it ends when the dialog does.
#include "PelldropDlg_win.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  // The folder browser is a shell component that needs COM on this thread.
  HRESULT hrCom = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  INT_PTR nResult = CPelldropDlg().runModal(NULL);
  if (SUCCEEDED(hrCom))
    CoUninitialize();
  return nResult == CPelldropDlg::knStartFailed || nResult == -1 ? 1 : 0;
}
