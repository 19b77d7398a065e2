// Entry point of Quilbar. Start-up (profile from the command line, "/clean", the main window)
// arrives with the application shell; until then the program starts and ends at once.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  return 0;
}
