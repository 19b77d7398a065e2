// Entry point of Quilbar: the whole command line after the program's name goes to the
// application object.
#include "QuilbarApp_win.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR pszCommandLine, int)
{
  CQuilbarApp app;
  return app.run(pszCommandLine);
}
