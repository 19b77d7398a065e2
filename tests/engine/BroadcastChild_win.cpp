// A program that announces a settings change to every top-level window, as installers and
// control panels do, and ends. SendMessage to HWND_BROADCAST returns only when every top-level
// window has answered.
//   quilbar_broadcast_child.exe [event to set before broadcasting]
#include <windows.h>

int main(int argc, char** argv)
{
  if (argc >= 2)
  {
    HANDLE hevtBroadcasting = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    if (hevtBroadcasting != nullptr)
    {
      SetEvent(hevtBroadcasting);
      CloseHandle(hevtBroadcasting);
    }
  }
  SendMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"));
  return 0;
}
