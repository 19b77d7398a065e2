#include "TrayIcon_win.h"

#include "base/Assert.h"
#include "serial/TrayTip.h"

#include <shellapi.h>

#include <cstring>

// The record in its first form: every version of the shell accepts it, and the program needs
// nothing of the later fields.
BOOL CTrayIcon::setTrayIcon(DWORD dwMessage, HICON hIcon, const std::string& strTip)
{
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = m_hwndOwner;
  data.uID = kuIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = m_uCallbackMessage;
  data.hIcon = hIcon;
  std::string strCut = cutTrayTip(strTip);
  QB_ASSERT(strCut.size() < sizeof(data.szTip));
  std::memcpy(data.szTip, strCut.c_str(), strCut.size() + 1);
  if (dwMessage != NIM_DELETE)
  {
    m_hIcon = hIcon;
    m_strTip = strCut;
  }
  BOOL fResult = Shell_NotifyIconA(dwMessage, &data);
  if (dwMessage == NIM_ADD)
    m_fAdded = true;
  else if (dwMessage == NIM_DELETE)
    m_fAdded = false;
  return fResult;
}

void CTrayIcon::remove()
{
  if (m_fAdded)
    setTrayIcon(NIM_DELETE, nullptr, std::string());
}

void CTrayIcon::readd()
{
  if (m_fAdded)
    setTrayIcon(NIM_ADD, m_hIcon, m_strTip);
}
