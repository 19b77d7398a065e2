// WM_DATASTRING is WM_USER + 2, and any program on the desktop can post it to the main window
// with any lParam. Only blocks this process handed over and has not taken yet may be read and
// freed: a forged 0, an address that is no block, and the address of a block seen before are
// ignored, and the real strings still arrive once each and in order.
#include "TestProgramFiles_win.h"
#include "serial/SerialMessages_win.h"
#include "SerialTestRig_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

using namespace std::chrono_literals;

namespace
{
using Strings = std::vector<std::string>;

std::string hex(ULONG_PTR n)
{
  char sz[32];
  std::snprintf(sz, sizeof sz, "%llx", static_cast<unsigned long long>(n));
  return sz;
}

// Runs the poster to its end; its messages are in the window's queue when this returns.
void postFromAnotherProgram(HWND hwnd, const Strings& rgstrLParams)
{
  std::string strCommand = "\"" + besideThisTestProgram("quilbar_message_poster.exe") + "\" " + hex(reinterpret_cast<ULONG_PTR>(hwnd));
  for (const std::string& str : rgstrLParams)
    strCommand += " " + str;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 15000)) << "the poster did not end";
  DWORD dwExit = 99;
  GetExitCodeProcess(pi.hProcess, &dwExit);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(0u, dwExit) << "the poster could not post";
}

TEST(DataStringMessageTest, ForgedMessagesAreIgnoredAndRealStringsArriveInOrder)
{
  TestWindow window;
  auto awaitStrings = [&](size_t n) {
    return window.pumpUntil([&] { return window.m_rgstrDataStrings.size() >= n; }, 5000ms);
  };
  ASSERT_TRUE(PostDataString(window.hwnd(), "A"));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, window.hwnd(), WM_DATASTRING, WM_DATASTRING, PM_NOREMOVE));
  const std::string strSeenBefore = hex(static_cast<ULONG_PTR>(msg.lParam));
  ASSERT_TRUE(awaitStrings(1));

  // B most likely takes A's freed block; the forged copy of that address comes after B's own
  // message and must find nothing left to take.
  ASSERT_TRUE(PostDataString(window.hwnd(), "B"));
  postFromAnotherProgram(window.hwnd(), {"0", "1000", strSeenBefore});
  ASSERT_TRUE(awaitStrings(2));
  // Now the forged address comes first, and C's block most likely has that very address: taking
  // C there is in order, and C's own message later finds nothing.
  postFromAnotherProgram(window.hwnd(), {strSeenBefore, "0", "1000"});
  ASSERT_TRUE(PostDataString(window.hwnd(), "C"));
  ASSERT_TRUE(awaitStrings(3));
  ASSERT_TRUE(PostDataString(window.hwnd(), "D"));
  ASSERT_TRUE(awaitStrings(4));
  window.pumpFor(100ms);

  EXPECT_TRUE(IsWindow(window.hwnd()));
  EXPECT_EQ((Strings{"A", "B", "C", "D"}), window.m_rgstrDataStrings);
  EXPECT_EQ(6, window.m_nRefusedDataStrings) << "each forged message, or the real one it overtook, is refused";
}
}  // namespace
