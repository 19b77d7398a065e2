#include "ProcessFigures_win.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

double workingSetMb(HANDLE hProcess)
{
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(hProcess, &counters, sizeof counters) ? counters.WorkingSetSize / 1048576.0 : NAN;
}

DWORD handleCount(DWORD dwProcessId)
{
  std::vector<unsigned char> rgbList(1 << 16);
  ULONG cbNeeded = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(SystemProcessInformation, rgbList.data(),
                                            static_cast<ULONG>(rgbList.size()), &cbNeeded)) ==
         static_cast<NTSTATUS>(0xC0000004L))  // STATUS_INFO_LENGTH_MISMATCH
    rgbList.resize(std::max<size_t>(cbNeeded, 2 * rgbList.size()));
  if (status != 0)
    return 0;
  for (size_t nOffset = 0;;)
  {
    const auto* pInfo = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(rgbList.data() + nOffset);
    if (reinterpret_cast<uintptr_t>(pInfo->UniqueProcessId) == dwProcessId)
      return pInfo->HandleCount;
    if (pInfo->NextEntryOffset == 0)
      return 0;
    nOffset += pInfo->NextEntryOffset;
  }
}
