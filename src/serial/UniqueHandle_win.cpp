#include "UniqueHandle_win.h"

void closeHandle(HANDLE& h)
{
  if (h != nullptr && h != INVALID_HANDLE_VALUE)
    CloseHandle(h);
  h = nullptr;
}
