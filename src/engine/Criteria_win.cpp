#include "Criteria.h"

#include <windows.h>

// The wedge usually runs hidden behind the program the user types into, so the box goes on top
// of every window and takes the foreground.
void showCriteriaExpressionAlert(const char* pszMessage)
{
  MessageBoxA(nullptr, pszMessage, "Quilbar",
              MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}
