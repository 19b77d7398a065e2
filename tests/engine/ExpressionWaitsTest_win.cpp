// While an output expression waits (Delay, WaitForWindow, WaitForAppExit), the main window must
// go on answering the messages other programs send it: a program that broadcasts WM_SETTINGCHANGE
// waits for every top-level window, and a wedge that does not answer deadlocks with it.
#include "base/DataConv.h"
#include "engine/ExpressionActions_win.h"
#include "engine/ExpressionEvaluator.h"
#include "TestProgramFiles_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
const char kszBroadcastingEvent[] = "QuilbarBroadcastChildBroadcasting";

std::string childCommandLine()
{
  return "\"" + besideThisTestProgram("quilbar_broadcast_child.exe") + "\" " + kszBroadcastingEvent;
}

void ignorePiece(const char*, void*, void*) {}

// The main window the broadcast must reach: a top-level window of this thread.
class BroadcastTarget
{
public:
  BroadcastTarget()
  {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuilbarBroadcastTarget";
    RegisterClassA(&wc);
    m_hwnd = CreateWindowExA(0, wc.lpszClassName, "Quilbar broadcast target", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~BroadcastTarget() { DestroyWindow(m_hwnd); }

private:
  HWND m_hwnd = nullptr;
};

// Answers what is still waiting (a broadcast a failing wait left unanswered) until the program
// ends, so no test leaves a blocked program behind.
void answerUntilEnded(HANDLE hProcess)
{
  for (int i = 0; i < 500 && WaitForSingleObject(hProcess, 10) == WAIT_TIMEOUT; ++i)
  {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&msg);
  }
}

struct Row
{
  const char* pszWait;
  std::string strExpression;
};

// Each waiting function in turn: the child is started by the test and has begun its broadcast
// while the expression waits; it must have ended when the wait is over.
TEST(ExpressionWaitsTest, WaitsAnswerABroadcastOfAnotherProgram)
{
  BroadcastTarget target;
  HANDLE hevtBroadcasting = CreateEventA(nullptr, TRUE, FALSE, kszBroadcastingEvent);
  ASSERT_NE(nullptr, hevtBroadcasting);
  const Row rgRows[] = {
      {"Delay", "Delay(1500) + \"done\""},
      {"WaitForWindow", "WaitForWindow(\"*No Such Quilbar Window*\", 1500) + \"done\""},
  };
  ExpressionActionsWin actions;
  ExpressionEvaluator evaluator(actions);
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszWait);
    ResetEvent(hevtBroadcasting);
    std::string strCommand = childCommandLine();
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hevtBroadcasting, 15000)) << "the child never began";
    ProgramHandle hProgram = nullptr;
    std::string strError;
    EXPECT_TRUE(evaluator.evaluateExpression(row.strExpression, hProgram, nullptr, "", strError, ignorePiece, nullptr,
                                             nullptr))
        << strError;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 1000))
        << "the broadcasting program was still blocked after the wait";
    answerUntilEnded(pi.hProcess);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(hevtBroadcasting);
}

// RunApp + WaitForAppExit on the broadcasting program itself: without answering, the two would
// wait for each other until the time-out.
TEST(ExpressionWaitsTest, WaitForAppExitAnswersTheBroadcastOfTheProgramItWaitsFor)
{
  BroadcastTarget target;
  HANDLE hevtBroadcasting = CreateEventA(nullptr, TRUE, FALSE, kszBroadcastingEvent);
  ExpressionActionsWin actions;
  ExpressionEvaluator evaluator(actions);
  ProgramHandle hProgram = nullptr;
  std::string strError;
  DWORD dwStart = GetTickCount();
  ASSERT_TRUE(evaluator.evaluateExpression("RunApp(\"" + DataConv::render(childCommandLine()) + "\")", hProgram,
                                           nullptr, "", strError, ignorePiece, nullptr, nullptr))
      << strError;
  ASSERT_NE(nullptr, hProgram);
  HANDLE hProcess = nullptr;
  DuplicateHandle(GetCurrentProcess(), static_cast<HANDLE>(hProgram), GetCurrentProcess(), &hProcess, SYNCHRONIZE,
                  FALSE, 0);
  EXPECT_TRUE(evaluator.evaluateExpression("WaitForAppExit(8000) + \"done\"", hProgram, nullptr, "", strError,
                                           ignorePiece, nullptr, nullptr))
      << strError;
  EXPECT_EQ(nullptr, hProgram);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hProcess, 0)) << "WaitForAppExit returned before the program ended";
  EXPECT_LT(GetTickCount() - dwStart, 8000u) << "WaitForAppExit ran into its time-out";
  answerUntilEnded(hProcess);
  CloseHandle(hProcess);
  CloseHandle(hevtBroadcasting);
}
}  // namespace
