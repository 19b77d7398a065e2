#include "SettingsSheetTestSupport_win.h"

#include <commctrl.h>

ModalRun::ModalRun(std::function<void()> fnRun)
    : m_thread([this, fnRun] {
        m_dwThreadId = GetCurrentThreadId();
        fnRun();
        m_fDone = true;
      })
{
}

ModalRun::~ModalRun()
{
  cancelLeftovers();
  m_thread.join();
}

bool ModalRun::waitDone(std::chrono::milliseconds timeout)
{
  return sheetdriver::waitUntil([this] { return isDone(); }, timeout);
}

namespace
{
// Cancel for dialogs and sheets, OK for message boxes with one button, No for questions.
BOOL CALLBACK cancelWindow(HWND hwnd, LPARAM)
{
  if (IsWindowVisible(hwnd))
  {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return TRUE;
}
}  // namespace

// Dialogs nest (a message box over a dialog over the sheet): each round closes the top ones.
void ModalRun::cancelLeftovers()
{
  for (int nRound = 0; nRound < 200 && !m_fDone; ++nRound)
  {
    if (m_dwThreadId != 0)
      EnumThreadWindows(m_dwThreadId, &cancelWindow, 0);
    Sleep(50);
  }
}

namespace sheetdriver
{
bool waitUntil(const std::function<bool()>& fnDone, milliseconds timeout)
{
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!fnDone())
  {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    Sleep(5);
  }
  return true;
}

HWND waitForSheet()
{
  return dialogdriver::waitForDialog("Settings");
}

HWND currentPage(HWND hwndSheet)
{
  return reinterpret_cast<HWND>(SendMessageA(hwndSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int currentPageIndex(HWND hwndSheet)
{
  return static_cast<int>(
      SendMessageA(hwndSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(currentPage(hwndSheet)), 0));
}

void selectPage(HWND hwndSheet, int nPage)
{
  PostMessageA(hwndSheet, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0);
}

HWND goToPage(HWND hwndSheet, int nPage)
{
  selectPage(hwndSheet, nPage);
  if (!waitUntil([&] { return currentPageIndex(hwndSheet) == nPage; }))
    return nullptr;
  return currentPage(hwndSheet);
}

void typeChars(HWND hwndDialog, int nId, const std::string& strText)
{
  HWND hwndControl = GetDlgItem(hwndDialog, nId);
  for (char ch : strText)
    SendMessageA(hwndControl, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 1);
}
}  // namespace sheetdriver
