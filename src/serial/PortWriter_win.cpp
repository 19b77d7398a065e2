#include "PortWriter_win.h"

#include "base/UniqueResource_win.h"

namespace
{
const DWORD kdwWriteTimeoutMs = 5000;
}

bool PortWriter::write(HANDLE hPort, const std::string& strBytes)
{
  if (strBytes.empty() || hPort == INVALID_HANDLE_VALUE || hPort == nullptr)
    return strBytes.empty();
  std::lock_guard<std::mutex> lock(m_mutex);
  UniqueHandle hevtWritten(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!hevtWritten)
    return false;
  OVERLAPPED ovWrite = {};
  ovWrite.hEvent = hevtWritten.get();
  DWORD cbWritten = 0;
  if (!WriteFile(hPort, strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, &ovWrite))
  {
    if (GetLastError() != ERROR_IO_PENDING)
      return false;
    if (WaitForSingleObject(ovWrite.hEvent, kdwWriteTimeoutMs) != WAIT_OBJECT_0)
      CancelIo(hPort);
    // Waits for the cancelled or finished write, so the record is free before it goes away.
    if (!GetOverlappedResult(hPort, &ovWrite, &cbWritten, TRUE))
      return false;
  }
  return cbWritten == strBytes.size();
}
