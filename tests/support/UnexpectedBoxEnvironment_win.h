#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

// Installed in every Windows test binary: answers the message boxes no test waits for, so that a
// stray one fails the run within seconds instead of blocking it until ctest's time-out.
class UnexpectedBoxEnvironment : public testing::Environment
{
public:
  ~UnexpectedBoxEnvironment() override;
  void SetUp() override;
  void TearDown() override;

private:
  void stop();
  void watch();
  void look();
  void reportFatalErrorBox(HWND hwndBox);
  void reportUnexpectedBox(HWND hwndBox);

  std::atomic<bool> m_fStop{false};
  std::thread m_thread;
  // When each box still open was first seen.
  std::map<HWND, std::chrono::steady_clock::time_point> m_mapFirstSeen;
};
