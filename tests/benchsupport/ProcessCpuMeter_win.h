#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// The CPU time used so far by this process and, under Wine, by the Wine server: every wait,
// every port call of a polling loop is a request the server answers, so its CPU is part of what
// the loop costs. The server is named by QUILBAR_WINESERVER_PID (set by scripts/bench.sh) and read
// from Linux's /proc through Wine's Z: drive; QUILBAR_CLK_TCK gives the kernel's tick rate (100).
class ProcessCpuMeter
{
public:
  struct Reading
  {
    std::chrono::steady_clock::time_point at;
    double dProcessMs = 0;
    double dServerMs = 0;  // NaN when the server cannot be read
    // Context switches so far of all this process's threads and of the server, from Linux's
    // /proc (NaN where they cannot be read): a thread that wakes up costs a switch each time.
    double dSwitches = 0;
    double dServerSwitches = 0;
  };
  // CPU milliseconds per second of elapsed time between two readings.
  struct Rates
  {
    double dProcess = 0;
    double dServer = 0;
    double dSwitches = 0;  // per second
    double dServerSwitches = 0;
    double total() const { return dProcess + dServer; }
  };

  ProcessCpuMeter();

  // False when no server was named or its figures cannot be read; strWhy says which.
  bool hasServer(std::string& strWhy) const;
  Reading read() const;
  static Rates ratesBetween(const Reading& before, const Reading& after);

  // The CPU milliseconds another Wine process has used so far, read from Linux's /proc: Wine
  // reports no CPU times for processes other than the caller's own. The process is the Linux
  // process whose command line holds strCommandPart (a Wine process's command line is its Windows
  // one); NaN when there is none.
  double otherProcessMs(const std::string& strCommandPart) const;

private:
  double serverMs() const;
  double switchesOf(const std::string& strProcDir) const;
  double statMs(const std::string& strStatPath) const;

  std::string m_strServerStat;  // Z:\proc\<pid>\stat, empty without a server
  std::string m_strServerDir;   // Z:\proc\<pid>
  std::string m_strSelfDir;     // this process's folder in /proc, empty when not found
  double m_dMsPerTick = 10;
};
