// Another program that wants the clipboard: tries to open it for up to <ms> milliseconds.
//   quilbar_clipboard_probe.exe <ms>
// Exit code 0 when it could open it, 1 when not.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
  DWORD dwPatience = argc >= 2 ? static_cast<DWORD>(std::atoi(argv[1])) : 1000;
  DWORD dwStart = GetTickCount();
  do
  {
    if (OpenClipboard(nullptr))
    {
      CloseClipboard();
      return 0;
    }
    Sleep(10);
  } while (GetTickCount() - dwStart < dwPatience);
  return 1;
}
