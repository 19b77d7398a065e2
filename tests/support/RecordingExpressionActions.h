#pragma once

#include "engine/ExpressionActions.h"
#include "engine/MainWindowActions.h"
#include "base/WildcardMatch.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Stands in for the operating system under output expressions: records every request as a line
// of text, keeps a fake tick counter that sleeping advances, and simulates windows that appear at
// a given tick, programs and files. No request reaches the real system.
class RecordingExpressionActions : public ExpressionActions
{
public:
  struct FakeWindow
  {
    std::string strTitle;
    std::uint32_t nAppearsAt;
  };

  RecordingExpressionActions()
  {
    m_time.tm_year = 2024 - 1900;
    m_time.tm_mon = 4;
    m_time.tm_mday = 17;
    m_time.tm_hour = 9;
    m_time.tm_min = 5;
    m_time.tm_sec = 7;
    m_time.tm_wday = 5;
    m_time.tm_yday = 137;
    m_time.tm_isdst = 0;
  }

  std::uint32_t tickCount() override { return m_nTick; }
  std::tm localTime() override { return m_time; }
  void sleep(std::uint32_t nMilliseconds) override
  {
    record("sleep " + std::to_string(nMilliseconds));
    m_nTick += nMilliseconds;
  }

  ProgramHandle startProgram(const std::string& strCommandLine) override
  {
    record("start " + strCommandLine);
    if (m_fStartFails || m_setUnstartable.count(strCommandLine) != 0)
      return nullptr;
    if (m_fnOnStart)
      m_fnOnStart(*this, strCommandLine);
    ProgramHandle hProgram = handleOf(m_nNextProgram++);
    m_setOpenPrograms.insert(hProgram);
    return hProgram;
  }
  bool waitForProgram(ProgramHandle hProgram, std::uint32_t nTimeout) override
  {
    record("wait " + nameOf(hProgram) + " " + std::to_string(nTimeout));
    return m_fProgramsEnd;
  }
  void releaseProgram(ProgramHandle hProgram) override
  {
    record("release " + nameOf(hProgram));
    m_setOpenPrograms.erase(hProgram);
  }

  WindowHandle findWindow(const std::string& strTitlePattern) override
  {
    record("find " + strTitlePattern);
    for (size_t i = 0; i < m_rgWindows.size(); ++i)
      if (m_nTick >= m_rgWindows[i].nAppearsAt && wildcardMatch(m_rgWindows[i].strTitle, strTitlePattern))
        return handleOf(0x1000 + static_cast<int>(i));
    return m_nTick >= m_nAnyWindowAt ? handleOf(0x2000) : nullptr;
  }
  void bringToFront(WindowHandle hWindow) override { record("front " + nameOf(hWindow)); }

  void putOnClipboard(const std::string& strText) override { record("clipboard " + strText); }

  bool writeFile(const std::string& strPath, const std::string& strBytes) override
  {
    record("write " + strPath + " " + strBytes);
    if (m_setUnwritable.count(strPath) != 0)
      return false;
    m_mapFiles[strPath] = strBytes;
    return true;
  }
  bool readFile(const std::string& strPath, std::string& strBytes) override
  {
    record("read " + strPath);
    auto it = m_mapFiles.find(strPath);
    if (it == m_mapFiles.end())
      return false;
    strBytes = it->second;
    return true;
  }

  void restartSystem(bool fForce) override { record(fForce ? "restart forced" : "restart"); }

  static ProgramHandle handleOf(int n) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(n)); }
  static std::string nameOf(void* h) { return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(h)); }

  std::vector<std::string> m_rgstrCalls;
  std::uint32_t m_nTick = 0;
  std::tm m_time{};
  std::vector<FakeWindow> m_rgWindows;
  // From this tick on every pattern finds a window (the fuzzer uses it to end waits without limit).
  std::uint32_t m_nAnyWindowAt = UINT32_MAX;
  bool m_fStartFails = false;
  std::set<std::string> m_setUnstartable;
  bool m_fProgramsEnd = true;
  std::function<void(RecordingExpressionActions&, const std::string&)> m_fnOnStart;
  int m_nNextProgram = 1;
  std::set<ProgramHandle> m_setOpenPrograms;
  std::map<std::string, std::string> m_mapFiles;
  std::set<std::string> m_setUnwritable;
  // Bounds the record so a fuzzer's endless polling cannot exhaust memory.
  size_t m_nMaxCalls = 100000;

private:
  void record(const std::string& strCall)
  {
    if (m_rgstrCalls.size() < m_nMaxCalls)
      m_rgstrCalls.push_back(strCall);
  }
};

// Stands in for the main window: records what an expression asks of it.
class RecordingMainWindow : public MainWindowActions
{
public:
  void openPort() override { m_rgstrCalls.push_back("open port"); }
  void closePort() override { m_rgstrCalls.push_back("close port"); }
  void setPendingProfile(const std::string& strName) override { m_rgstrCalls.push_back("profile " + strName); }
  void sendClipboardContents() override { m_rgstrCalls.push_back("send clipboard"); }
  ProfilePortSettings getCurrentProfileSettings() override { return m_settings; }

  std::vector<std::string> m_rgstrCalls;
  ProfilePortSettings m_settings{"Default", "COM1", "9600", "8", "No parity", "1"};
};
