// The real actions of output expressions under Windows (Wine in CI): started programs, Call's
// file exchange, windows found, waited for and brought to the front, and the clipboard.
#include "base/DataConv.h"
#include "engine/ExpressionActions_win.h"
#include "engine/ExpressionEvaluator.h"
#include "RecordingExpressionActions.h"
#include "TestSupport.h"
#include "engine/WindowFinder_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace
{
const char* const kszWindowClass = "QuilbarExpressionTestWindow";

std::string directoryOfThisProgram()
{
  char szPath[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, szPath, MAX_PATH);
  std::string strPath(szPath);
  return strPath.substr(0, strPath.find_last_of("\\/") + 1);
}

std::string childProgram()
{
  return directoryOfThisProgram() + "quilbar_expression_child.exe";
}

// RunApp reads its argument in the control-character notation, where a backslash quotes the
// next character: a path is written with doubled backslashes.
std::string inNotation(const std::string& strText)
{
  return DataConv::render(strText);
}

std::string readWholeFile(const std::string& strPath)
{
  std::ifstream file(strPath, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

bool fileExists(const std::string& strPath)
{
  return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void registerWindowClass()
{
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kszWindowClass;
  RegisterClassA(&windowClass);
}

HWND createWindow(const std::string& strTitle)
{
  registerWindowClass();
  // Not shown: under Wine without a window manager, hiding or destroying a shown window costs two
  // seconds, and the finder and the foreground window treat hidden windows alike.
  return CreateWindowExA(0, kszWindowClass, strTitle.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A window that another thread creates after a delay and serves until the end of the test, so
// that a poll loop on the test thread has something to find (the finder reads its title with
// a message, which the owning thread must answer).
class LateWindow
{
public:
  LateWindow(const std::string& strTitle, DWORD dwDelay)
    : m_thread([this, strTitle, dwDelay] { serve(strTitle, dwDelay); })
  {
  }
  ~LateWindow()
  {
    m_fStop = true;
    m_thread.join();
  }
  HWND window() const { return m_hWindow; }

private:
  void serve(const std::string& strTitle, DWORD dwDelay)
  {
    Sleep(dwDelay);
    HWND hWindow = createWindow(strTitle);
    m_hWindow = hWindow;
    while (!m_fStop)
    {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
      Sleep(2);
    }
    DestroyWindow(hWindow);
  }

  std::atomic<bool> m_fStop{false};
  std::atomic<HWND> m_hWindow{nullptr};
  std::thread m_thread;
};

void collect(const char* pszPiece, void* pContext1, void*)
{
  *static_cast<std::string*>(pContext1) += pszPiece;
}

class ExpressionActionsWinTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    m_strScratch = std::string(szTemp) + "quilbar-expression-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(m_strScratch.c_str(), nullptr);
  }

  void TearDown() override
  {
    if (m_hProgram != nullptr)
      m_actions.releaseProgram(m_hProgram);
  }

  // As the format test dialog evaluates: an output function, no main window unless given.
  bool run(const std::string& strExpression, const std::string& strData, MainWindowActions* pMainWindow = nullptr)
  {
    m_strOutput.clear();
    m_strError.clear();
    return m_evaluator.evaluateExpression(strExpression, m_hProgram, pMainWindow, strData, m_strError, collect,
                                          &m_strOutput, nullptr);
  }

  ExpressionActionsWin m_actions;
  ExpressionEvaluator m_evaluator{m_actions};
  ProgramHandle m_hProgram = nullptr;
  std::string m_strOutput;
  std::string m_strError;
  std::string m_strScratch;
};
}  // namespace

TEST_F(ExpressionActionsWinTest, WaitForAppExitWaitsUntilTheStartedProgramHasEnded)
{
  std::string strMarker = m_strScratch + "ended.txt";
  DeleteFileA(strMarker.c_str());
  ASSERT_TRUE(run("RunApp(\"" + inNotation(childProgram() + " sleep 300 " + strMarker) + "\")", "")) << m_strError;
  ASSERT_NE(nullptr, m_hProgram) << "RunApp keeps the started program";
  EXPECT_FALSE(fileExists(strMarker)) << "RunApp must not wait for the program";
  ASSERT_TRUE(run("WaitForAppExit(0)", "")) << m_strError;
  EXPECT_EQ(nullptr, m_hProgram);
  EXPECT_TRUE(fileExists(strMarker)) << "WaitForAppExit(0) returned before the program ended";
}

TEST_F(ExpressionActionsWinTest, WaitForAppExitGivesUpAfterItsTimeOut)
{
  std::string strMarker = m_strScratch + "late.txt";
  DeleteFileA(strMarker.c_str());
  ASSERT_TRUE(run("RunApp(\"" + inNotation(childProgram() + " sleep 800 " + strMarker) + "\") + WaitForAppExit(100)", ""))
    << m_strError;
  EXPECT_EQ(nullptr, m_hProgram);
  EXPECT_FALSE(fileExists(strMarker)) << "waited longer than its time-out";
  EXPECT_TRUE(testsupport::waitUntil([&] { return fileExists(strMarker); }, std::chrono::seconds(20)))
    << "the program went on running after the wait and wrote its marker";
}

TEST_F(ExpressionActionsWinTest, RunAppReportsAProgramThatCannotStart)
{
  EXPECT_FALSE(run("RunApp(\"" + inNotation(m_strScratch + "no-such-program.exe") + "\")", ""));
  EXPECT_EQ("Failed to start program [" + m_strScratch + "no-such-program.exe].", m_strError);
  EXPECT_EQ(nullptr, m_hProgram);
}

TEST_F(ExpressionActionsWinTest, CallHandsTheDataToAProgramAndOutputsItsAnswer)
{
  std::string strInput = m_strScratch + "call-in.txt";
  std::string strOutput = m_strScratch + "call-out.txt";
  std::string strExpression =
    "\"(\" + Call(\"" + childProgram() + " upper " + strInput + " " + strOutput + "\", " + strInput + ", \"" + strOutput + "\") + \")\"";
  ASSERT_TRUE(run(strExpression, "abc-12\txyz")) << m_strError;
  EXPECT_EQ("([ABC-12\tXYZ])", m_strOutput);
  EXPECT_EQ("abc-12\txyz", readWholeFile(strInput)) << "the input file holds the data without a line end";
  EXPECT_EQ(nullptr, m_hProgram) << "Call clears the running program";
}

TEST_F(ExpressionActionsWinTest, CallOfAProgramThatOutlivesTheWaitProducesNothing)
{
  std::string strInput = m_strScratch + "slow-in.txt";
  std::string strOutput = m_strScratch + "slow-out.txt";
  std::ofstream(strOutput, std::ios::binary) << "stale";
  m_evaluator.setCallTimeout(200);
  ASSERT_TRUE(run("Call(\"" + childProgram() + " sleep 1500\", " + strInput + ", " + strOutput + ")", "x"))
    << m_strError;
  EXPECT_EQ("", m_strOutput);
  EXPECT_EQ(nullptr, m_hProgram);
}

TEST_F(ExpressionActionsWinTest, CallReportsFilesItCannotWriteOrRead)
{
  std::string strMissingDirectory = m_strScratch + "no-such-dir\\in.txt";
  EXPECT_FALSE(run("Call(\"" + childProgram() + " sleep 0\", " + strMissingDirectory + ", out.txt)", "x"));
  EXPECT_EQ("Failed to write input data to file [" + strMissingDirectory + "].", m_strError);

  std::string strNeverWritten = m_strScratch + "never-written.txt";
  DeleteFileA(strNeverWritten.c_str());
  EXPECT_FALSE(run("Call(\"" + childProgram() + " sleep 0\", " + m_strScratch + "in.txt, " + strNeverWritten + ")", "x"));
  EXPECT_EQ("Failed to read output data from file [" + strNeverWritten + "].", m_strError);
  EXPECT_EQ(nullptr, m_hProgram);
}

TEST_F(ExpressionActionsWinTest, WaitForWindowFindsAWindowThatAppearsWhileItPolls)
{
  LateWindow window("Quilbar Late Window 42", 300);
  DWORD dwStart = GetTickCount();
  ASSERT_TRUE(run("WaitForWindow(\"Quilbar Late*\", 20000) + \"on\"", "")) << m_strError;
  DWORD dwElapsed = GetTickCount() - dwStart;
  EXPECT_NE(nullptr, window.window());
  EXPECT_LT(dwElapsed, 10000u) << "the window was not found, the wait ran into its time-out";
  EXPECT_EQ("on", m_strOutput);
}

TEST_F(ExpressionActionsWinTest, WaitForWindowEndsAtItsTimeOutWithoutError)
{
  DWORD dwStart = GetTickCount();
  ASSERT_TRUE(run("WaitForWindow(\"*No Such Quilbar Window*\", 500) + \"on\"", "")) << m_strError;
  DWORD dwElapsed = GetTickCount() - dwStart;
  EXPECT_GE(dwElapsed, 500u - 20u) << "returned before its time-out";
  EXPECT_LT(dwElapsed, 5000u);
  EXPECT_EQ("on", m_strOutput);
}

TEST_F(ExpressionActionsWinTest, SetFocusBringsTheMatchingWindowToTheFront)
{
  HWND hFirst = createWindow("Quilbar Focus One");
  HWND hSecond = createWindow("Quilbar Focus Two");
  ASSERT_NE(nullptr, hFirst);
  ASSERT_NE(nullptr, hSecond);
  SetForegroundWindow(hFirst);
  ASSERT_TRUE(testsupport::waitUntil([&] { return GetForegroundWindow() == hFirst; }, std::chrono::seconds(5)))
    << "the first window never became the foreground window";
  ASSERT_TRUE(run("SetFocus(\"Quilbar Focus T*\")", "")) << m_strError;
  EXPECT_TRUE(testsupport::waitUntil([&] { return GetForegroundWindow() == hSecond; }, std::chrono::seconds(5)))
    << "SetFocus did not bring the window titled Quilbar Focus Two to the front";
  ASSERT_TRUE(run("SetFocus(\"Quilbar Focus\")", "")) << "a window that is not found is no error";
  DestroyWindow(hFirst);
  DestroyWindow(hSecond);
}

TEST_F(ExpressionActionsWinTest, SendDataPutsTheBytesOnTheClipboardAndAsksForTheirSending)
{
  RecordingMainWindow mainWindow;
  ASSERT_TRUE(run("SendData(\"AB<CR>\\d200z\")", "", &mainWindow)) << m_strError;
  EXPECT_EQ(std::vector<std::string>({"send clipboard"}), mainWindow.m_rgstrCalls);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE hText = GetClipboardData(CF_TEXT);
  std::string strText = hText != nullptr ? static_cast<const char*>(GlobalLock(hText)) : "(none)";
  if (hText != nullptr)
    GlobalUnlock(hText);
  CloseClipboard();
  EXPECT_EQ("AB\r\xC8z", strText);
}

TEST(WindowFinderTest, MatchesWholeTitlesOfAtMost511CharactersAndOptionalClassAndExclusion)
{
  HWND hLong = createWindow(std::string(600, 'q'));
  HWND hNamed = createWindow("Quilbar Finder Target");
  ASSERT_NE(nullptr, hLong);
  ASSERT_NE(nullptr, hNamed);

  WindowFinder longTitle(std::string(511, 'q'));
  EXPECT_TRUE(longTitle.find()) << "a title is compared as its first 511 characters";
  EXPECT_EQ(hLong, longTitle.getWindow());
  EXPECT_FALSE(WindowFinder(std::string(512, 'q')).find());

  WindowFinder byTitle("Quilbar Finder*");
  ASSERT_TRUE(byTitle.find());
  EXPECT_EQ(hNamed, byTitle.getWindow());
  EXPECT_EQ("Quilbar Finder Target", byTitle.getTitle());
  EXPECT_EQ(kszWindowClass, byTitle.getClassName());
  EXPECT_FALSE(WindowFinder("Quilbar Finder").find()) << "the pattern must match the whole title";
  EXPECT_FALSE(WindowFinder("quilbar finder*").find()) << "letter case matters";
  EXPECT_TRUE(WindowFinder("Quilbar Finder*", "QuilbarExpression*").find());
  EXPECT_FALSE(WindowFinder("Quilbar Finder*", "Edit").find());
  EXPECT_FALSE(WindowFinder("Quilbar Finder*", "", "*Target").find());

  DestroyWindow(hLong);
  DestroyWindow(hNamed);
}

TEST(ExpressionActionsWinPrivilegeTest, TheShutdownPrivilegeCanBeAskedForWithoutRestarting)
{
  // Restarting is never tried here; only the privilege step before it.
  EXPECT_EQ(ExpressionActionsWin::Privilege::kEnabled, ExpressionActionsWin::enableShutdownPrivilege())
      << "the process token opens and takes the shutdown privilege";
}
