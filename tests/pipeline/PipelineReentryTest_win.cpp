// Under Wine with the real alert: a criterion with an unconvertible pattern shows its box while
// the first of three posted data strings is processed, and the box's message loop delivers the
// other two. They must wait: one box, never a box inside a box, and the strings in order.
#include "engine/Criteria.h"
#include "keyboard/KeystrokeEmitter.h"
#include "KeyboardFakes.h"
#include "MessageBoxAnswerer_win.h"
#include "PipelineFakes.h"
#include "PipelineFixture.h"
#include "RecordingExpressionActions.h"
#include "pipeline/DataStringMessage_win.h"
#include "pipeline/DataStringPipeline.h"
#include "pipeline/EventLog.h"
#include "serial/SerialMessages_win.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
using namespace keyboardtest;
using namespace pipelinetest;

DataStringPipeline* g_pPipeline = nullptr;
EventLog* g_pLog = nullptr;
int g_nBoxDepth = 0;
int g_nDeepest = 0;

// The real box, with its depth counted.
void countedAlert(const char* pszMessage)
{
  ++g_nBoxDepth;
  if (g_nBoxDepth > g_nDeepest)
    g_nDeepest = g_nBoxDepth;
  showCriteriaExpressionAlert(pszMessage);
  --g_nBoxDepth;
}

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_DATASTRING)
  {
    handleDataStringMessage(hwnd, lParam, *g_pPipeline, *g_pLog);
    return 0;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

class PipelineReentryWinTest : public PipelineFixture
{
};

TEST_F(PipelineReentryWinTest, BoxInsideTheProcessingLetsLaterStringsWaitInOrder)
{
  m_subscribers.m_rgSubscribers.push_back({"Receiver", true});
  g_pPipeline = &m_pipeline;
  g_pLog = &m_log;
  g_nBoxDepth = g_nDeepest = 0;

  m_profile.getDataEditFormatMap().removeAll();
  addFormat("Bad", "\"never\"", "<C");
  addFormat("Out", "Input()");

  WNDCLASSA wc = {};
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuilbarReentryTestMain";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "Reentry test main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, hwnd);

  Criteria::ExpressionAlert pfnPrevious = Criteria::setExpressionAlert(countedAlert);
  {
    MessageBoxAnswerer answerer("Quilbar", IDOK, 300ms);
    ASSERT_TRUE(PostDataString(hwnd, "A"));
    ASSERT_TRUE(PostDataString(hwnd, "B"));
    ASSERT_TRUE(PostDataString(hwnd, "C"));
    auto deadline = std::chrono::steady_clock::now() + 15s;
    while (m_subscribers.m_rgstrDelivered.size() < 3 && std::chrono::steady_clock::now() < deadline)
    {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), m_subscribers.m_rgstrDelivered);
    EXPECT_EQ(1, g_nDeepest) << "a box was shown inside another";
    EXPECT_EQ(1u, answerer.texts().size()) << "one box for the pattern, not one per data string";
  }
  Criteria::setExpressionAlert(pfnPrevious);
  DestroyWindow(hwnd);
}
}  // namespace
