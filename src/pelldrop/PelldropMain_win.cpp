// Entry point of Pelldrop. Its window, subscription and file writing arrive with the subscriber
// program; until then it starts and ends at once.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  return 0;
}
