#pragma once

#include <windows.h>

// Holds the clipboard open for as long as it lives. The clipboard blocks copy and paste in every
// other program while it is open, so a session should last only as long as one copy in or out.
class ClipboardSession
{
public:
  explicit ClipboardSession(HWND hwndOwner = nullptr) : m_fOpen(OpenClipboard(hwndOwner) != FALSE) {}
  ~ClipboardSession()
  {
    if (m_fOpen)
      CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;

  bool isOpen() const { return m_fOpen; }

private:
  bool m_fOpen;
};
