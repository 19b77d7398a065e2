// Kept running by the Wine harness (`quilbar-wine up DesktopHolder.exe`) for as long as it is up.
// Wine ends its desktop process a moment after the last program on the desktop ends and starts it
// again for the next one that opens a window or a box, about a second each time under load; this
// hidden window keeps one program on the desktop between the test programs.
#include <windows.h>

int main()
{
  HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Quilbar harness desktop holder", WS_POPUP, 0, 0, 1, 1,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd)
    return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    DispatchMessageA(&msg);
  return 0;
}
