#include "StandardError_win.h"

#include <windows.h>

void writeStandardErrorLine(const std::string& strLine)
{
  std::string strText = strLine + "\r\n";
  HANDLE hError = GetStdHandle(STD_ERROR_HANDLE);
  HANDLE hConsole = INVALID_HANDLE_VALUE;
  if ((hError == nullptr || hError == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
  {
    hConsole = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    hError = hConsole;
  }
  DWORD dwWritten = 0;
  if (hError != nullptr && hError != INVALID_HANDLE_VALUE)
    WriteFile(hError, strText.data(), static_cast<DWORD>(strText.size()), &dwWritten, nullptr);
  if (hConsole != INVALID_HANDLE_VALUE)
  {
    CloseHandle(hConsole);
    FreeConsole();
  }
}
