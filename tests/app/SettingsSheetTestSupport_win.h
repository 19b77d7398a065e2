#pragma once

#include "DialogDriver_win.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

// Runs a modal dialog (the settings sheet, a password check) on a thread of its own while the
// test thread drives it. Whatever a failing test leaves open is cancelled at the end, so a failure
// never hangs the suite.
class ModalRun
{
public:
  explicit ModalRun(std::function<void()> fnRun);
  ~ModalRun();
  ModalRun(const ModalRun&) = delete;
  ModalRun& operator=(const ModalRun&) = delete;

  // Waits until the dialog has returned; false when the deadline passed.
  bool waitDone(std::chrono::milliseconds timeout = std::chrono::milliseconds(15000));
  bool isDone() const { return m_fDone; }

private:
  void cancelLeftovers();

  std::atomic<bool> m_fDone{false};
  std::atomic<DWORD> m_dwThreadId{0};
  std::thread m_thread;
};

namespace sheetdriver
{
using std::chrono::milliseconds;

// Polls until the condition holds; false when the deadline passed.
bool waitUntil(const std::function<bool()>& fnDone, milliseconds timeout = milliseconds(10000));

// The "Settings" sheet, once it is on screen.
HWND waitForSheet();
// The sheet's active page and its index.
HWND currentPage(HWND hwndSheet);
int currentPageIndex(HWND hwndSheet);
// Asks the sheet to change pages as a click on a tab would (the page being left may refuse).
void selectPage(HWND hwndSheet, int nPage);
// Changes pages and waits until the new page is active.
HWND goToPage(HWND hwndSheet, int nPage);

// Types characters into a control as the keyboard would (WM_CHAR), so that limits apply.
void typeChars(HWND hwndDialog, int nId, const std::string& strText);
}  // namespace sheetdriver
