#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Watches this process's desktop for message boxes with a given caption and answers them with a
// button, recording each box's text. Without it a test that reaches a message box hangs: under
// Xvfb there is nobody to press OK.
class MessageBoxAnswerer
{
public:
  MessageBoxAnswerer(std::string strCaption, int nButtonId = IDOK);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

  std::vector<std::string> texts() const;

  // Reads the text of a message box window (its static control).
  static std::string boxText(HWND hwndBox);

private:
  void watch();
  bool answerOne();

  std::string m_strCaption;
  int m_nButtonId;
  std::atomic<bool> m_fStop{false};
  mutable std::mutex m_mutex;
  std::vector<std::string> m_rgTexts;
  std::thread m_thread;
};
