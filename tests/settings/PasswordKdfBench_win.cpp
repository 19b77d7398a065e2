// Not a test: how long the settings password check takes with the iteration count the program
// stores, run by hand under the Wine harness:
//   quilbar-wine run settings_password_bench.exe [RUNS]
// Prints the median of RUNS checks (one PBKDF2-HMAC-SHA-256 derivation each) beside the median of
// one hundredth of the iterations measured in the same run, so the per-iteration cost shows.
#include "settings/SettingsPassword.h"
#include "settings/SystemPasswordKdf_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
double medianMilliseconds(SystemPasswordKdf& kdf, uint32_t dwIterations, int nRuns)
{
  LARGE_INTEGER liFrequency;
  QueryPerformanceFrequency(&liFrequency);
  std::vector<double> rgMs;
  for (int i = 0; i < nRuns; ++i)
  {
    std::string strKey;
    LARGE_INTEGER liStart;
    LARGE_INTEGER liEnd;
    QueryPerformanceCounter(&liStart);
    bool fOk = kdf.deriveKey("Secret1", "0123456789abcdef", dwIterations, SettingsPassword::kcbKey, strKey);
    QueryPerformanceCounter(&liEnd);
    if (!fOk || strKey.size() != SettingsPassword::kcbKey)
    {
      std::fprintf(stderr, "derivation failed\n");
      std::exit(1);
    }
    rgMs.push_back(1000.0 * static_cast<double>(liEnd.QuadPart - liStart.QuadPart) / liFrequency.QuadPart);
  }
  std::sort(rgMs.begin(), rgMs.end());
  return rgMs[rgMs.size() / 2];
}
}  // namespace

int main(int argc, char** argv)
{
  int nRuns = argc > 1 ? std::atoi(argv[1]) : 7;
  if (nRuns < 1)
    nRuns = 1;
  SystemPasswordKdf kdf;
  double dReference = medianMilliseconds(kdf, SettingsPassword::kdwIterations / 100, nRuns);
  double dCheck = medianMilliseconds(kdf, SettingsPassword::kdwIterations, nRuns);
  std::printf("password check, %u iterations: median %.1f ms over %d runs\n",
              static_cast<unsigned>(SettingsPassword::kdwIterations), dCheck, nRuns);
  std::printf("reference, %u iterations: median %.2f ms (x100 = %.1f ms)\n",
              static_cast<unsigned>(SettingsPassword::kdwIterations / 100), dReference, dReference * 100);
  return 0;
}
