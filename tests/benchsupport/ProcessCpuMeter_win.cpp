#include "ProcessCpuMeter_win.h"

#include "ProcStat.h"
#include "base/UniqueResource_win.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{
double fileTimeMs(const FILETIME& ft)
{
  uint64_t n100ns = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<double>(n100ns) / 10000.0;
}

const double kdNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

ProcessCpuMeter::ProcessCpuMeter()
{
  const char* pszPid = std::getenv("QUILBAR_WINESERVER_PID");
  if (pszPid != nullptr && *pszPid != '\0')
    m_strServerStat = std::string("Z:\\proc\\") + pszPid + "\\stat";
  const char* pszTicks = std::getenv("QUILBAR_CLK_TCK");
  long nTicksPerSecond = pszTicks != nullptr ? std::strtol(pszTicks, nullptr, 10) : 0;
  if (nTicksPerSecond > 0)
    m_dMsPerTick = 1000.0 / static_cast<double>(nTicksPerSecond);
}

bool ProcessCpuMeter::hasServer(std::string& strWhy) const
{
  if (m_strServerStat.empty())
  {
    strWhy = "QUILBAR_WINESERVER_PID is not set";
    return false;
  }
  if (std::isnan(serverMs()))
  {
    strWhy = "cannot read " + m_strServerStat;
    return false;
  }
  return true;
}

ProcessCpuMeter::Reading ProcessCpuMeter::read() const
{
  Reading reading;
  reading.dServerMs = serverMs();
  FILETIME ftCreation, ftExit, ftKernel, ftUser;
  // Under Wine this is the whole process's user and system time (all threads, Wine's own too).
  if (GetProcessTimes(GetCurrentProcess(), &ftCreation, &ftExit, &ftKernel, &ftUser))
    reading.dProcessMs = fileTimeMs(ftKernel) + fileTimeMs(ftUser);
  else
    reading.dProcessMs = kdNaN;
  reading.at = std::chrono::steady_clock::now();
  return reading;
}

ProcessCpuMeter::Rates ProcessCpuMeter::ratesBetween(const Reading& before, const Reading& after)
{
  double dSeconds = std::chrono::duration<double>(after.at - before.at).count();
  Rates rates;
  rates.dProcess = (after.dProcessMs - before.dProcessMs) / dSeconds;
  rates.dServer = (after.dServerMs - before.dServerMs) / dSeconds;
  return rates;
}

double ProcessCpuMeter::serverMs() const
{
  if (m_strServerStat.empty())
    return kdNaN;
  return statMs(m_strServerStat);
}

double ProcessCpuMeter::otherProcessMs(const std::string& strCommandPart) const
{
  WIN32_FIND_DATAA found;
  HANDLE hFind = FindFirstFileA("Z:\\proc\\*", &found);
  if (hFind == INVALID_HANDLE_VALUE)
    return kdNaN;
  std::string strPid;
  do
  {
    std::string strName = found.cFileName;
    if (strName.empty() || strName.find_first_not_of("0123456789") != std::string::npos)
      continue;
    UniqueFileHandle hFile(CreateFileA(("Z:\\proc\\" + strName + "\\cmdline").c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    char rgchCommand[4096];
    DWORD cbRead = 0;
    if (!hFile || !ReadFile(hFile.get(), rgchCommand, sizeof rgchCommand, &cbRead, nullptr))
      continue;
    if (std::string(rgchCommand, cbRead).find(strCommandPart) != std::string::npos)
      strPid = strName;
  } while (strPid.empty() && FindNextFileA(hFind, &found));
  FindClose(hFind);
  return strPid.empty() ? kdNaN : statMs("Z:\\proc\\" + strPid + "\\stat");
}

double ProcessCpuMeter::statMs(const std::string& strStatPath) const
{
  // The file is opened anew each time: /proc files give their current state from the start.
  UniqueFileHandle hFile(CreateFileA(strStatPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
  if (!hFile)
    return kdNaN;
  char rgchStat[1024];
  DWORD cbRead = 0;
  if (!ReadFile(hFile.get(), rgchStat, sizeof rgchStat, &cbRead, nullptr))
    return kdNaN;
  uint64_t nTicks = 0;
  if (!parseProcStatCpuTicks(std::string(rgchStat, cbRead), nTicks))
    return kdNaN;
  return static_cast<double>(nTicks) * m_dMsPerTick;
}
