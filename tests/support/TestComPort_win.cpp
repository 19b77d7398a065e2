#include "TestComPort_win.h"

#include <string>

HANDLE openTestComPort(const char* pszName, bool fOverlapped)
{
  std::string strPath = std::string("\\\\.\\") + pszName;
  HANDLE hPort = CreateFileA(strPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             fOverlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr);
  if (hPort == INVALID_HANDLE_VALUE)
    return hPort;
  SetupComm(hPort, 4096, 4096);
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  GetCommState(hPort, &dcb);
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  SetCommState(hPort, &dcb);
  COMMTIMEOUTS timeouts = {};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  SetCommTimeouts(hPort, &timeouts);
  return hPort;
}
