// Target window for the keystroke tests: a top-level window with a multi-line edit control that
// takes the keyboard focus whenever the window is activated.
//   KeyTarget_win.exe <title> [<library to load first>]
// Exit code 3 when the library cannot be loaded.
#include "KeyTargetMessages_win.h"

#include <windows.h>

namespace
{
HWND s_hwndEdit = NULL;
size_t s_nNotifyLength = 0;
HANDLE s_hevtNotify = NULL;

// Checked on every change of the text: in-process, so it costs the typing far less than a
// question from another process would.
void notifyIfLongEnough()
{
  if (s_hevtNotify == NULL || static_cast<size_t>(GetWindowTextLengthA(s_hwndEdit)) < s_nNotifyLength)
    return;
  SetEvent(s_hevtNotify);
  CloseHandle(s_hevtNotify);
  s_hevtNotify = NULL;
}

LRESULT CALLBACK targetWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  switch (uMsg)
  {
  case WM_CREATE:
    s_hwndEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                                 0, 0, 400, 300, hwnd, NULL, GetModuleHandleA(NULL), NULL);
    return s_hwndEdit != NULL ? 0 : -1;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE)
      SetFocus(s_hwndEdit);
    return 0;
  case WM_SETFOCUS:
    SetFocus(s_hwndEdit);
    return 0;
  case WM_KEYTARGET_NOTIFYLENGTH:
    if (s_hevtNotify != NULL)
      CloseHandle(s_hevtNotify);
    s_nNotifyLength = static_cast<size_t>(wParam);
    s_hevtNotify = reinterpret_cast<HANDLE>(lParam);
    notifyIfLongEnough();
    return 0;
  case WM_COMMAND:
    if (HIWORD(wParam) == EN_CHANGE)
      notifyIfLongEnough();
    return 0;
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  default:
    return DefWindowProcA(hwnd, uMsg, wParam, lParam);
  }
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc < 2)
    return 2;
  if (argc >= 3 && LoadLibraryA(argv[2]) == NULL)
    return 3;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = targetWindowProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "QuilbarKeyTarget";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 420, 340, NULL,
                              NULL, wc.hInstance, NULL);
  if (hwnd == NULL)
    return 1;
  SetForegroundWindow(hwnd);
  SetFocus(s_hwndEdit);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0)
  {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
