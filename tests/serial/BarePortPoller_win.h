#pragma once

#include "base/UniqueResource_win.h"
#include "settings/QuilbarProfile.h"

#include <windows.h>

#include <deque>
#include <string>

// The serial benchmark's reference: the plainest reader of the communication thread's kind. Its
// thread waits 1 ms, asks ClearCommError how many bytes wait and GetCommModemStatus for the
// lines, reads what waits in one call, cuts it at carriage returns and posts each data string to
// the window as WM_DATASTRING, keeping in order what the window's queue refused for the next pass.
class BarePortPoller
{
public:
  explicit BarePortPoller(HWND hwndOwner) : m_hwndOwner(hwndOwner) {}
  ~BarePortPoller() { close(); }
  BarePortPoller(const BarePortPoller&) = delete;
  BarePortPoller& operator=(const BarePortPoller&) = delete;

  // Opens the profile's port configured as the port owner configures it, and starts polling.
  bool open(const QuilbarProfile& profile);
  void close();

private:
  static DWORD WINAPI threadMain(void* pvThis);
  void run();
  std::string readWaiting(DWORD cbWaiting);
  void cutAndPost(const std::string& strBytes);

  HWND m_hwndOwner;
  UniqueFileHandle m_hPort;
  UniqueHandle m_hevtStop, m_hevtRead, m_hThread;
  std::string m_strPartial;
  std::deque<std::string> m_rgstrPending;
};
