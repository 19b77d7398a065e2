#include "SystemError_win.h"

#include <cstdio>

std::string systemErrorText(DWORD dwError)
{
  char szText[512] = "";
  DWORD cch = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError, 0,
                             szText, sizeof szText, nullptr);
  std::string strText(szText, cch);
  while (!strText.empty() && (strText.back() == '\r' || strText.back() == '\n' || strText.back() == ' '))
    strText.pop_back();
  char szCode[32];
  std::snprintf(szCode, sizeof szCode, "(error %lu)", static_cast<unsigned long>(dwError));
  return strText.empty() ? szCode : strText + " " + szCode;
}
