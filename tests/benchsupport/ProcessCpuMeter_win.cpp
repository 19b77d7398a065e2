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

std::string readProcFile(const std::string& strPath)
{
  // Opened anew each time: /proc files give their current state from the start.
  UniqueFileHandle hFile(CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
  char rgchText[4096];
  DWORD cbRead = 0;
  if (!hFile || !ReadFile(hFile.get(), rgchText, sizeof rgchText, &cbRead, nullptr))
    return std::string();
  return std::string(rgchText, cbRead);
}

// Z:\proc\self is the Wine server's (it opens the files), so this process is looked up by its
// name: Linux names a Wine process after its program file, cut to 15 characters.
std::string findSelfProcDir()
{
  char szModule[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, szModule, MAX_PATH);
  std::string strName = szModule;
  strName = strName.substr(strName.find_last_of("\\/") + 1);
  std::string strComm = strName.substr(0, 15);
  WIN32_FIND_DATAA found;
  HANDLE hFind = FindFirstFileA("Z:\\proc\\*", &found);
  if (hFind == INVALID_HANDLE_VALUE)
    return std::string();
  std::string strDir;
  do
  {
    std::string strPid = found.cFileName;
    if (strPid.empty() || strPid.find_first_not_of("0123456789") != std::string::npos)
      continue;
    std::string strCandidate = "Z:\\proc\\" + strPid;
    if (readProcFile(strCandidate + "\\comm") == strComm + "\n" &&
        readProcFile(strCandidate + "\\cmdline").find(strName) != std::string::npos)
      strDir = strCandidate;
  } while (strDir.empty() && FindNextFileA(hFind, &found));
  FindClose(hFind);
  return strDir;
}
}  // namespace

ProcessCpuMeter::ProcessCpuMeter()
{
  const char* pszPid = std::getenv("QUILBAR_WINESERVER_PID");
  if (pszPid != nullptr && *pszPid != '\0')
  {
    m_strServerDir = std::string("Z:\\proc\\") + pszPid;
    m_strServerStat = m_strServerDir + "\\stat";
  }
  m_strSelfDir = findSelfProcDir();
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
  reading.dSwitches = switchesOf(m_strSelfDir);
  reading.dServerSwitches = switchesOf(m_strServerDir);
  reading.at = std::chrono::steady_clock::now();
  return reading;
}

ProcessCpuMeter::Rates ProcessCpuMeter::ratesBetween(const Reading& before, const Reading& after)
{
  double dSeconds = std::chrono::duration<double>(after.at - before.at).count();
  Rates rates;
  rates.dProcess = (after.dProcessMs - before.dProcessMs) / dSeconds;
  rates.dServer = (after.dServerMs - before.dServerMs) / dSeconds;
  rates.dSwitches = (after.dSwitches - before.dSwitches) / dSeconds;
  rates.dServerSwitches = (after.dServerSwitches - before.dServerSwitches) / dSeconds;
  return rates;
}

// Summed over the threads alive now: the counts of a thread that ended are gone with it, so
// readings are compared over spans in which the threads stay the same.
double ProcessCpuMeter::switchesOf(const std::string& strProcDir) const
{
  if (strProcDir.empty())
    return kdNaN;
  WIN32_FIND_DATAA found;
  HANDLE hFind = FindFirstFileA((strProcDir + "\\task\\*").c_str(), &found);
  if (hFind == INVALID_HANDLE_VALUE)
    return kdNaN;
  double dSwitches = 0;
  do
  {
    std::string strTid = found.cFileName;
    uint64_t nSwitches = 0;
    if (strTid.find_first_not_of("0123456789") == std::string::npos &&
        parseProcStatusSwitches(readProcFile(strProcDir + "\\task\\" + strTid + "\\status"), nSwitches))
      dSwitches += static_cast<double>(nSwitches);
  } while (FindNextFileA(hFind, &found));
  FindClose(hFind);
  return dSwitches;
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
