#include "BarePortPoller_win.h"

#include "serial/PortOwner_win.h"
#include "serial/PortParameters.h"
#include "serial/SerialMessages_win.h"
#include "serial/SerialSettings.h"

#include <cstdio>
#include <vector>

namespace
{
const DWORD kdwPollMs = 1;
const DWORD kcbReadAtMost = 65536;
}  // namespace

bool BarePortPoller::open(const QuilbarProfile& profile)
{
  close();
  SerialSettings settings = serialSettingsOf(profile);
  char szDevice[32];
  std::snprintf(szDevice, sizeof szDevice, "\\\\.\\COM%d", ConvertPort(settings.strPort.c_str()));
  m_hPort = UniqueFileHandle(
      CreateFileA(szDevice, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
  COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  if (!m_hPort || !SetupComm(m_hPort.get(), 60000, 2048) || !SetCommMask(m_hPort.get(), 0) ||
      !SetCommTimeouts(m_hPort.get(), &timeouts) || !GetCommState(m_hPort.get(), &dcb))
  {
    close();
    return false;
  }
  applyLineSettings(dcb, settings);
  if (!SetCommState(m_hPort.get(), &dcb))
  {
    close();
    return false;
  }
  PurgeComm(m_hPort.get(), PURGE_RXCLEAR);
  m_hevtStop = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hevtRead = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (m_hevtStop && m_hevtRead)
    m_hThread = UniqueHandle(CreateThread(nullptr, 0, &BarePortPoller::threadMain, this, 0, nullptr));
  if (!m_hThread)
  {
    close();
    return false;
  }
  return true;
}

void BarePortPoller::close()
{
  if (m_hThread)
  {
    SetEvent(m_hevtStop.get());
    WaitForSingleObject(m_hThread.get(), INFINITE);
  }
  m_hThread.reset();
  m_hevtStop.reset();
  m_hevtRead.reset();
  m_hPort.reset();
  m_strPartial.clear();
  // What the window never took is freed here, not posted to a window that is not listening.
  m_rgstrPending.clear();
}

DWORD WINAPI BarePortPoller::threadMain(void* pvThis)
{
  static_cast<BarePortPoller*>(pvThis)->run();
  return 0;
}

void BarePortPoller::run()
{
  while (WaitForSingleObject(m_hevtStop.get(), kdwPollMs) == WAIT_TIMEOUT)
  {
    COMSTAT comstat = {};
    DWORD dwErrors = 0;
    DWORD cbWaiting = ClearCommError(m_hPort.get(), &dwErrors, &comstat) ? comstat.cbInQue : 0;
    DWORD dwModemStatus = 0;
    GetCommModemStatus(m_hPort.get(), &dwModemStatus);
    if (cbWaiting > 0)
      cutAndPost(readWaiting(cbWaiting));
    while (!m_rgstrPending.empty() && PostDataString(m_hwndOwner, m_rgstrPending.front()))
      m_rgstrPending.pop_front();
  }
}

std::string BarePortPoller::readWaiting(DWORD cbWaiting)
{
  std::vector<char> rgchBuffer(cbWaiting < kcbReadAtMost ? cbWaiting : kcbReadAtMost);
  OVERLAPPED ovRead = {};
  ovRead.hEvent = m_hevtRead.get();
  ResetEvent(ovRead.hEvent);
  DWORD cbRead = 0;
  if (!ReadFile(m_hPort.get(), rgchBuffer.data(), static_cast<DWORD>(rgchBuffer.size()), &cbRead, &ovRead))
  {
    if (GetLastError() != ERROR_IO_PENDING)
      return std::string();
    if (WaitForSingleObject(ovRead.hEvent, 50) != WAIT_OBJECT_0)
      CancelIo(m_hPort.get());
    if (!GetOverlappedResult(m_hPort.get(), &ovRead, &cbRead, TRUE))
      return std::string();
  }
  return std::string(rgchBuffer.data(), cbRead);
}

void BarePortPoller::cutAndPost(const std::string& strBytes)
{
  for (char ch : strBytes)
  {
    if (ch != '\r')
    {
      m_strPartial += ch;
      continue;
    }
    m_rgstrPending.push_back(std::move(m_strPartial));
    m_strPartial.clear();
  }
}
