#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

// Drives real dialogs as a user would, from a test thread or another process: finds windows by
// title, sets and reads controls through their window messages, presses buttons. Every wait has a
// deadline; a helper that gives up returns null or false, and the test says what it waited for.
namespace dialogdriver
{
using std::chrono::milliseconds;

// A visible top-level window with exactly this title (and class, when given) in any process.
HWND findWindow(const std::string& strTitle, const char* pszClass = nullptr);
// Waits for findWindow to succeed; null when the deadline passes.
HWND waitForWindow(const std::string& strTitle, milliseconds timeout = milliseconds(10000),
                   const char* pszClass = nullptr);
// Waits until the window is gone or hidden; false when the deadline passes.
bool waitForWindowGone(HWND hwnd, milliseconds timeout = milliseconds(10000));
// A visible dialog box ("#32770") with this title; message boxes, dialogs and property sheets.
HWND waitForDialog(const std::string& strTitle, milliseconds timeout = milliseconds(10000));

std::string windowText(HWND hwnd);
std::string itemText(HWND hwndDialog, int nId);
// WM_SETTEXT; an edit control sends its owner EN_CHANGE as if the user typed.
void setItemText(HWND hwndDialog, int nId, const std::string& strText);
bool isItemEnabled(HWND hwndDialog, int nId);
bool isItemVisible(HWND hwndDialog, int nId);
bool isChecked(HWND hwndDialog, int nId);

// Presses a button without waiting for what it starts (a modal box would block a sent message):
// posts BN_CLICKED to the dialog. Tick boxes and radio buttons are clicked with BM_CLICK, posted.
void pressButton(HWND hwndDialog, int nId);
void clickCheck(HWND hwndDialog, int nId);

// Selects the entry with exactly this text in a combo box or list box and notifies the owner
// (CBN_SELCHANGE / LBN_SELCHANGE), as a user's choice would. False when there is no such entry.
bool selectComboText(HWND hwndDialog, int nId, const std::string& strText);
bool selectListIndex(HWND hwndDialog, int nId, int nIndex);
std::vector<std::string> listLines(HWND hwndDialog, int nId);
std::vector<std::string> comboLines(HWND hwndDialog, int nId);
int listSelection(HWND hwndDialog, int nId);
// The rows of a list view in report view, its columns joined by tabs. A list view's messages
// carry pointers that the system does not copy between processes, so the item record lives in
// the list view's own process while it is read.
std::vector<std::string> listViewRows(HWND hwndDialog, int nId, int cColumns);

// The text of a message box (its static control).
std::string messageBoxText(HWND hwndBox);
// Waits for a message box with this caption, returns its text and presses the button.
// Empty optional-like result: fFound false when none appeared in time.
struct AnsweredBox
{
  bool fFound = false;
  std::string strText;
};
AnsweredBox answerMessageBox(const std::string& strCaption, int nButtonId = IDOK,
                             milliseconds timeout = milliseconds(10000));

// Waits until a condition holds, pumping this thread's messages meanwhile (a test that owns the
// dialog's parent window must keep its queue moving).
template <class Condition>
bool waitPumping(Condition fnDone, milliseconds timeout = milliseconds(10000))
{
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;)
  {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (fnDone())
      return true;
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}
}  // namespace dialogdriver
