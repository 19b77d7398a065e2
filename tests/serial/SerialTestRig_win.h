#pragma once

#include "serial/PortHost.h"
#include "settings/QuilbarProfile.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Records what the port owner asks of its window instead of showing message boxes.
class RecordingHost : public PortHost
{
public:
  void showError(const std::string& strText) override { add(m_rgstrErrors, strText); }
  void showNotice(const std::string& strText) override { add(m_rgstrNotices, strText); }
  void showTrayIdle(const std::string& strTip) override { add(m_rgstrTrayIdle, strTip); }
  void showTrayFailed(const std::string& strTip) override { add(m_rgstrTrayFailed, strTip); }
  void logRawInput(const std::string& strRaw) override { add(m_rgstrRawLog, strRaw); }
  // Events as "name: detail; detail".
  void logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails) override
  {
    std::string strLine = strEvent + ":";
    for (const std::string& strDetail : rgstrDetails)
      strLine += " " + strDetail + ";";
    add(m_rgstrEvents, strLine);
  }
  void portFailed(uint32_t dwError) override { add(m_rgstrPortFailures, std::to_string(dwError)); }

  std::vector<std::string> errors() const { return get(m_rgstrErrors); }
  std::vector<std::string> notices() const { return get(m_rgstrNotices); }
  std::vector<std::string> trayIdle() const { return get(m_rgstrTrayIdle); }
  std::vector<std::string> trayFailed() const { return get(m_rgstrTrayFailed); }
  std::vector<std::string> rawLog() const { return get(m_rgstrRawLog); }
  std::vector<std::string> events() const { return get(m_rgstrEvents); }
  std::vector<std::string> portFailures() const { return get(m_rgstrPortFailures); }

private:
  void add(std::vector<std::string>& rg, const std::string& str)
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    rg.push_back(str);
  }
  std::vector<std::string> get(const std::vector<std::string>& rg) const
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    return rg;
  }

  mutable std::mutex m_mutex;
  std::vector<std::string> m_rgstrErrors, m_rgstrNotices, m_rgstrTrayIdle, m_rgstrTrayFailed,
      m_rgstrRawLog, m_rgstrEvents, m_rgstrPortFailures;
};

// A hidden top-level window standing in for the main window: it takes WM_DATASTRING and
// WM_SETTRAYSTATE the way the main window will, and passes WM_COPYDATA text to a handler.
class TestWindow
{
public:
  TestWindow();
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return m_hwnd; }
  // Runs the window's messages until fnDone holds or the time is up; true when it held.
  bool pumpUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds timeout);
  void pumpFor(std::chrono::milliseconds duration);

  std::vector<std::string> m_rgstrDataStrings;
  std::vector<std::chrono::steady_clock::time_point> m_rgArrivals;
  std::vector<int> m_rgnTrayStates;
  int m_nRefusedDataStrings = 0;  // WM_DATASTRING messages that carried no string of ours
  std::function<void(const char*)> m_fnCopyData;
  // Busy time per WM_DATASTRING, to play a window that is busy typing.
  std::chrono::microseconds m_slowness{0};

private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT uMsg, WPARAM wParam, LPARAM lParam);

  HWND m_hwnd = nullptr;
};

// The far end of the null-modem cable, opened for plain blocking I/O.
class PeerPort
{
public:
  explicit PeerPort(const char* pszName);
  ~PeerPort();
  PeerPort(const PeerPort&) = delete;
  PeerPort& operator=(const PeerPort&) = delete;

  bool isOpen() const { return m_hPort != INVALID_HANDLE_VALUE; }
  // False when the line took nothing for the whole patience (nobody reads the other end).
  bool write(const std::string& strBytes,
             std::chrono::milliseconds patience = std::chrono::milliseconds(10000));
  // Reads until nBytes have come or the time is up.
  std::string read(size_t nBytes, std::chrono::milliseconds timeout);
  // Discards whatever has arrived so far.
  void drain();
  // True once the line behind this end has hung up, as when the cable was pulled: the far end
  // may vanish a moment before the line stops carrying bytes.
  bool hasHungUp() const;

private:
  HANDLE m_hPort = INVALID_HANDLE_VALUE;
};

// A profile on COM1 with every other value at its default.
QuilbarProfile com1Profile();
