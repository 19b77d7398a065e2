// Another program on the desktop posting WM_DATASTRING (WM_USER + 2) to a window with lParams of
// its own choosing, as anybody may.
//   quilbar_message_poster.exe <window handle, hex> <lParam, hex> ...
// Exit code 0 when every message was posted.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
  if (argc < 3)
    return 2;
  HWND hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(argv[1], nullptr, 16)));
  int nResult = 0;
  for (int i = 2; i < argc; ++i)
  {
    LPARAM lParam = static_cast<LPARAM>(std::strtoull(argv[i], nullptr, 16));
    if (!PostMessageA(hwnd, WM_USER + 2, 0, lParam))
      nResult = 1;
  }
  return nResult;
}
