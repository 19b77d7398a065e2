#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

// The program's icon in the notification area: one icon, identifier 128, whose clicks come to the
// owner window as the callback message. Only the owner window's thread uses it.
class CTrayIcon
{
public:
  static const UINT kuIconId = 128;

  CTrayIcon(HWND hwndOwner, UINT uCallbackMessage) : m_hwndOwner(hwndOwner), m_uCallbackMessage(uCallbackMessage) {}
  ~CTrayIcon() { remove(); }
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // NIM_ADD, NIM_MODIFY or NIM_DELETE with the icon and the tip (cut to 63 characters); the
  // system's result.
  BOOL setTrayIcon(DWORD dwMessage, HICON hIcon, const std::string& strTip);

  BOOL add(HICON hIcon, const std::string& strTip) { return setTrayIcon(NIM_ADD, hIcon, strTip); }
  BOOL show(HICON hIcon, const std::string& strTip) { return setTrayIcon(NIM_MODIFY, hIcon, strTip); }
  void remove();
  // The task bar was created anew (Explorer restarted): the icon is added again as last shown.
  void readd();

  const std::string& tip() const { return m_strTip; }
  HICON icon() const { return m_hIcon; }

private:
  HWND m_hwndOwner;
  UINT m_uCallbackMessage;
  bool m_fAdded = false;
  HICON m_hIcon = nullptr;
  std::string m_strTip;
};
