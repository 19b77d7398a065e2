#include "PortWriter_win.h"

#include "base/UniqueResource_win.h"

namespace
{
const DWORD kdwWriteTimeoutMs = 5000;
}

bool PortWriter::write(HANDLE hPort, const std::string& strBytes, DWORD* pdwError)
{
  DWORD dwError = ERROR_SUCCESS;
  bool fWritten = writeAll(hPort, strBytes, dwError);
  if (!fWritten && pdwError != nullptr)
    *pdwError = dwError;
  return fWritten;
}

bool PortWriter::writeAll(HANDLE hPort, const std::string& strBytes, DWORD& dwError)
{
  if (strBytes.empty())
    return true;
  dwError = ERROR_INVALID_HANDLE;
  if (hPort == INVALID_HANDLE_VALUE || hPort == nullptr)
    return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  UniqueHandle hevtWritten(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!hevtWritten)
  {
    dwError = GetLastError();
    return false;
  }
  OVERLAPPED ovWrite = {};
  ovWrite.hEvent = hevtWritten.get();
  DWORD cbWritten = 0;
  if (!WriteFile(hPort, strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, &ovWrite))
  {
    dwError = GetLastError();
    if (dwError != ERROR_IO_PENDING)
      return false;
    if (WaitForSingleObject(ovWrite.hEvent, kdwWriteTimeoutMs) != WAIT_OBJECT_0)
      CancelIo(hPort);
    // Waits for the cancelled or finished write, so the record is free before it goes away.
    if (!GetOverlappedResult(hPort, &ovWrite, &cbWritten, TRUE))
    {
      dwError = GetLastError();
      return false;
    }
  }
  dwError = ERROR_WRITE_FAULT;  // the driver took fewer bytes than given
  return cbWritten == strBytes.size();
}
