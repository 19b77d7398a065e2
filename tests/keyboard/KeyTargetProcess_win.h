#pragma once

#include <windows.h>

#include <string>

// Runs KeyTarget_win.exe (from beside the test program) and reaches its edit control.
class KeyTargetProcess
{
public:
  // Starts the target; pszLibrary, when given, is loaded by the target before its window exists.
  explicit KeyTargetProcess(const std::string& strTitle, const char* pszLibrary = nullptr);
  ~KeyTargetProcess();
  KeyTargetProcess(const KeyTargetProcess&) = delete;
  KeyTargetProcess& operator=(const KeyTargetProcess&) = delete;

  // True once the window exists; strWhy tells what failed otherwise.
  bool isReady(std::string& strWhy) const;
  // Brings the window to the front and waits until the system reports it there.
  bool bringToFront();
  std::string text() const;
  void clearText();
  // Waits until the edit control holds exactly strExpected.
  bool waitForText(const std::string& strExpected, int nTimeoutMs = 10000) const;
  // Has the target set hevtArrived once its text is at least nLength characters long (at once if
  // it already is). False when the target did not take the request.
  bool notifyWhenLength(size_t nLength, HANDLE hevtArrived);
  HWND window() const { return m_hwnd; }

  // A file beside the running test program.
  static std::string besideTestProgram(const char* pszFileName);

private:
  PROCESS_INFORMATION m_pi = {};
  HWND m_hwnd = NULL;
  HWND m_hwndEdit = NULL;
  std::string m_strWhy;
};

// Brings a window of this process to the front and waits until it is there.
bool bringOwnWindowToFront(HWND hwnd);
