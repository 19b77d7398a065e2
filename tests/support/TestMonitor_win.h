#pragma once

#include <windows.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

// A monitor of a running wedge, as a monitor program is one: a window subscribed with
// "Quilbar32.MonitorSubscribe" that keeps every event text it receives. The window lives on a
// thread of its own that answers at once, so the wedge's synchronous sends never wait for a test
// that is busy waiting for something else.
class TestMonitor
{
public:
  TestMonitor();
  ~TestMonitor();
  TestMonitor(const TestMonitor&) = delete;
  TestMonitor& operator=(const TestMonitor&) = delete;

  bool isReady() const { return m_hwnd != nullptr; }
  HWND hwnd() const { return m_hwnd; }
  void subscribeTo(HWND hwndMain) const;
  // Waits for an event whose text begins with strEventName and a line feed.
  bool waitForEvent(const std::string& strEventName, std::chrono::milliseconds timeout) const;
  std::vector<std::string> texts() const;
  // A long run asks for what is new only: the count so far and the texts from an index on.
  size_t count() const;
  std::vector<std::string> textsFrom(size_t nFirst) const;

private:
  static DWORD WINAPI threadMain(void* pvThis);
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  HANDLE m_hThread = nullptr;
  HANDLE m_hevtReady = nullptr;
  HWND m_hwnd = nullptr;
  mutable std::mutex m_mutex;
  std::vector<std::string> m_rgstrTexts;
};
