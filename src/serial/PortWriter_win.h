#pragma once

#include <windows.h>

#include <mutex>
#include <string>

// Writes to the port from the main thread (initialisation string) and the communication thread
// (clipboard bytes). Each write has its own overlapped record and is completed before the next
// one starts, so two writes never share a record or interleave their bytes.
class PortWriter
{
public:
  // True when every byte was written; a write the driver has not finished within a few seconds
  // is cancelled (a stalled line must not stall the caller for ever). On failure *pdwError, when
  // given, receives the system's error code.
  bool write(HANDLE hPort, const std::string& strBytes, DWORD* pdwError = nullptr);

private:
  bool writeAll(HANDLE hPort, const std::string& strBytes, DWORD& dwError);

  std::mutex m_mutex;
};
