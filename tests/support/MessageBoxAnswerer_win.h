#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Watches this process's message boxes with a given caption and answers them with a button,
// recording each box's text. Without it a test that reaches a message box hangs: under Xvfb there
// is nobody to press OK. While it lives, the watcher of unexpected boxes leaves that caption alone.
class MessageBoxAnswerer
{
public:
  // A delay lets a box stay open a while before it is answered, as a user's would.
  MessageBoxAnswerer(std::string strCaption, int nButtonId = IDOK,
                     std::chrono::milliseconds answerDelay = std::chrono::milliseconds(0));
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  std::vector<std::string> texts() const;

  // Reads the text of a message box window (its static control).
  static std::string boxText(HWND hwndBox);
  // The visible dialog windows of this process, and the first of them with the given caption.
  // Boxes of other processes are never touched: tests run in parallel on one desktop.
  static std::vector<HWND> ownDialogs();
  static HWND findOwnBox(const std::string& strCaption);
  // True while some answerer in this process answers boxes with this caption.
  static bool isAnswered(const std::string& strCaption);

private:
  void watch();
  bool answerOne();

  std::string m_strCaption;
  int m_nButtonId;
  std::chrono::milliseconds m_answerDelay;
  std::atomic<bool> m_fStop{false};
  mutable std::mutex m_mutex;
  std::vector<std::string> m_rgTexts;
  std::thread m_thread;
};
