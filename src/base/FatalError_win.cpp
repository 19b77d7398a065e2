#include "Assert.h"

#include <windows.h>

void reportFatalError(const std::string& strText)
{
  // System-modal so the box shows above whatever window has the focus (the wedge types into
  // other programs and is usually hidden in the tray).
  MessageBoxA(nullptr, strText.c_str(), "Fatal Error", MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
  ExitProcess(0);
}
