// PortReader COMn count [seconds]: reads data strings ended by a carriage return from a COM port
// and prints each in the control-character notation. Used by the demo to show bytes crossing a
// virtual serial port into a Windows program.
#include "base/DataConv.h"
#include "TestComPort_win.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>


int main(int argc, char** argv)
{
  if (argc < 3)
  {
    std::fprintf(stderr, "usage: PortReader COMn count [seconds]\n");
    return 2;
  }
  int nWanted = std::atoi(argv[2]);
  DWORD dwLimit = (argc > 3 ? std::atoi(argv[3]) : 30) * 1000;
  HANDLE hPort = openTestComPort(argv[1], false);
  if (hPort == INVALID_HANDLE_VALUE)
  {
    std::fprintf(stderr, "PortReader: cannot open %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("PortReader: listening on %s\n", argv[1]);
  std::fflush(stdout);
  std::string strLine;
  int nReceived = 0;
  DWORD dwStart = GetTickCount();
  while (nReceived < nWanted && GetTickCount() - dwStart < dwLimit)
  {
    DWORD dwErrors = 0;
    COMSTAT stat = {};
    ClearCommError(hPort, &dwErrors, &stat);
    if (stat.cbInQue == 0)
    {
      Sleep(1);
      continue;
    }
    char rgBuffer[99];
    DWORD dwRead = 0;
    if (!ReadFile(hPort, rgBuffer, stat.cbInQue < sizeof rgBuffer ? stat.cbInQue : sizeof rgBuffer, &dwRead,
                  nullptr))
      break;
    for (DWORD i = 0; i < dwRead; ++i)
    {
      strLine += rgBuffer[i];
      if (rgBuffer[i] != '\r')
        continue;
      std::printf("PortReader: data string %d: %s\n", ++nReceived, DataConv::render(strLine).c_str());
      std::fflush(stdout);
      strLine.clear();
    }
  }
  CloseHandle(hPort);
  return nReceived == nWanted ? 0 : 1;
}
