#include "WaitingRead_win.h"

bool WaitingRead::create()
{
  m_hevtDone = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  return static_cast<bool>(m_hevtDone);
}

// A read that finishes at once still signals the event, so the thread's wait returns at once and
// the next pass takes the byte like any other.
bool WaitingRead::start(HANDLE hPort)
{
  if (m_fWaiting)
    return true;
  m_hPort = hPort;
  m_ov = OVERLAPPED();
  m_ov.hEvent = m_hevtDone.get();
  ResetEvent(m_ov.hEvent);
  DWORD cbRead = 0;
  if (!ReadFile(hPort, &m_chByte, 1, &cbRead, &m_ov) && GetLastError() != ERROR_IO_PENDING)
    return false;
  m_fWaiting = true;
  return true;
}

WaitingRead::Outcome WaitingRead::take(std::string& strBytes, DWORD& dwError)
{
  if (!m_fWaiting)
    return Outcome::kNone;
  DWORD cbRead = 0;
  if (!GetOverlappedResult(m_hPort, &m_ov, &cbRead, FALSE))
  {
    dwError = GetLastError();
    if (dwError == ERROR_IO_INCOMPLETE)
      return Outcome::kNone;
    m_fWaiting = false;
    return Outcome::kFailed;
  }
  m_fWaiting = false;
  if (cbRead == 0)
  {
    dwError = ERROR_SUCCESS;
    return Outcome::kFailed;
  }
  strBytes += m_chByte;
  return Outcome::kByte;
}

void WaitingRead::cancel()
{
  if (!m_fWaiting)
    return;
  CancelIo(m_hPort);
  DWORD cbRead = 0;
  GetOverlappedResult(m_hPort, &m_ov, &cbRead, TRUE);
  m_fWaiting = false;
}
