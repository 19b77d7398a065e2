#include "ExpressionTestFixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace
{
typedef std::vector<std::string> Calls;

class ActionFunctionsTest : public ExpressionTestFixture
{
protected:
  // Evaluates and expects success, returning what the system fake was asked.
  Calls actionsOf(const std::string& strExpression, const std::string& strData = "DATA")
  {
    m_actions.m_rgstrCalls.clear();
    EXPECT_TRUE(run(strExpression, strData)) << strExpression << ": " << m_strError;
    return m_actions.m_rgstrCalls;
  }

  std::string errorOf(const std::string& strExpression, const std::string& strData = "DATA")
  {
    EXPECT_FALSE(run(strExpression, strData)) << strExpression;
    return m_strError;
  }

  // The same number of "find" and "sleep" requests a poll loop makes.
  static Calls polls(const std::string& strPattern, int nFinds, int nSleeps)
  {
    Calls rgstrCalls;
    for (int i = 0; i < nFinds; ++i)
    {
      rgstrCalls.push_back("find " + strPattern);
      if (i < nSleeps)
        rgstrCalls.push_back("sleep 100");
    }
    return rgstrCalls;
  }
};
}  // namespace

TEST_F(ActionFunctionsTest, DelayAndSleepWaitTheGivenMilliseconds)
{
  EXPECT_EQ(Calls({"sleep 250"}), actionsOf("Delay(250)"));
  EXPECT_EQ(Calls({"sleep 250"}), actionsOf("sleep( 250 )"));
  EXPECT_EQ(Calls({"sleep 0"}), actionsOf("Delay(abc)"));
  EXPECT_EQ(Calls({"sleep 12"}), actionsOf("Delay(12ms)"));
  EXPECT_EQ("Negative argument not allowed [ Delay(-1) ].", errorOf("Delay(-1)"));
  EXPECT_EQ("Negative argument not allowed [ Sleep(-5) ].", errorOf("Sleep(-5)"));
  EXPECT_EQ("Invalid number of arguments [ Delay(1,2) ].", errorOf("Delay(1,2)"));
}

TEST_F(ActionFunctionsTest, RunAppStartsTheConvertedCommandLineAndKeepsTheProgram)
{
  EXPECT_EQ(Calls({"start notepad.exe\r"}), actionsOf("RunApp(\"notepad.exe<CR>\")"));
  EXPECT_EQ(RecordingExpressionActions::handleOf(1), m_hProgram);
  // Only one enclosing pair of quotes is removed.
  EXPECT_EQ(Calls({"start \"C:\\Program Files\\x.exe\" a", "release #1"}),
            actionsOf("RunApp(\"\"\"C:\\\\Program Files\\\\x.exe\"\" a\")"));
  EXPECT_EQ(RecordingExpressionActions::handleOf(2), m_hProgram);
  EXPECT_EQ(Calls({"start calc.exe", "release #2"}), actionsOf("RunApp(calc.exe)"));
  EXPECT_EQ(std::set<ProgramHandle>({m_hProgram}), m_actions.m_setOpenPrograms)
    << "a replaced program must be released";
}

TEST_F(ActionFunctionsTest, RunAppReportsUnparsableAndUnstartableCommands)
{
  EXPECT_EQ("String expression could not be parsed [ a<C ].", errorOf("RunApp(\"a<C\")"));
  m_actions.m_fStartFails = true;
  EXPECT_EQ("Failed to start program [nothing.exe].", errorOf("RunApp(nothing.exe)"));
  EXPECT_EQ(nullptr, m_hProgram);
}

TEST_F(ActionFunctionsTest, WaitForAppExitWaitsForTheRunningProgramOnce)
{
  actionsOf("RunApp(x.exe)");
  EXPECT_EQ(Calls({"wait #1 0", "release #1"}), actionsOf("WaitForAppExit(0)"));
  EXPECT_EQ(nullptr, m_hProgram);
  EXPECT_EQ(Calls(), actionsOf("WaitForAppExit(5000)"));
  actionsOf("RunApp(x.exe)");
  EXPECT_EQ(Calls({"wait #2 5000", "release #2"}), actionsOf("WaitForAppExit(5000)"));
  actionsOf("RunApp(x.exe)");
  EXPECT_EQ(Calls({"wait #3 0", "release #3"}), actionsOf("WaitForAppExit(-7)"));
  EXPECT_TRUE(m_actions.m_setOpenPrograms.empty());
}

TEST_F(ActionFunctionsTest, WaitForAppExitRunsAlsoWithoutAnOutputFunction)
{
  actionsOf("RunApp(x.exe)");
  m_actions.m_rgstrCalls.clear();
  std::string strError;
  EXPECT_TRUE(m_evaluator.evaluateExpression("WaitForAppExit(10) + RunApp(y.exe) + Delay(5)", m_hProgram,
                                             nullptr, "DATA", strError, nullptr, nullptr, nullptr));
  EXPECT_EQ(Calls({"wait #1 10", "release #1"}), m_actions.m_rgstrCalls);
}

TEST_F(ActionFunctionsTest, WaitForWindowPollsEveryTenthSecondUntilItsTimeOut)
{
  Calls rgstrExpected = polls("*Notepad", 30, 30);
  EXPECT_EQ(rgstrExpected, actionsOf("WaitForWindow(\"*Notepad\", 3000) + \"next\""));
  EXPECT_EQ(3000u, m_actions.m_nTick);
  EXPECT_EQ("next|", pieces()) << "a time-out is no error";
}

TEST_F(ActionFunctionsTest, WaitForWindowStopsWhenTheWindowAppears)
{
  m_actions.m_rgWindows.push_back({"Untitled - Notepad", 450});
  EXPECT_EQ(polls("*Notepad", 6, 5), actionsOf("WaitForWindow(\"*Notepad\", 3000)"));
  m_actions.m_nTick = 0;
  EXPECT_EQ(polls("*Notepad", 6, 5), actionsOf("WaitForWindow(*Notepad, 0)")) << "0: no time-out";
  m_actions.m_nTick = 0;
  EXPECT_EQ(polls("Notepad", 30, 30), actionsOf("WaitForWindow(Notepad, 3000)")) << "whole title only";
}

TEST_F(ActionFunctionsTest, WaitForWindowMeasuresAcrossTheTickCounterWrap)
{
  m_actions.m_nTick = UINT32_MAX - 50;
  EXPECT_EQ(polls("x", 3, 3), actionsOf("WaitForWindow(x, 300)"));
}

TEST_F(ActionFunctionsTest, SetFocusBringsTheFirstMatchingWindowToTheFront)
{
  m_actions.m_rgWindows.push_back({"Calculator", 0});
  m_actions.m_rgWindows.push_back({"Untitled - Notepad", 0});
  EXPECT_EQ(Calls({"find *Notepad", "front #4097"}), actionsOf("SetFocus(\"*Notepad\")"));
  EXPECT_EQ(Calls({"find Notepad"}), actionsOf("SetFocus(Notepad)")) << "not found is no error";
  EXPECT_EQ(Calls({"find Calc*", "front #4096"}), actionsOf("SetFocus(\"\"Calc*\"\")"));
  EXPECT_EQ(Calls({"find  Calc*"}), actionsOf("SetFocus(\" Calc*\")")) << "blanks inside quotes stay";
}

TEST_F(ActionFunctionsTest, SendDataPutsTheTextOnTheClipboardAndAsksTheMainWindowToSendIt)
{
  EXPECT_EQ(Calls({"clipboard AB\r"}), actionsOf("SendData(\"AB<CR>\")"));
  EXPECT_TRUE(m_mainWindow.m_rgstrCalls.empty()) << "no main window in the test dialog";
  m_actions.m_rgstrCalls.clear();
  EXPECT_TRUE(runWithMainWindow("SendData(\"A<NUL>B\")", "")) << m_strError;
  EXPECT_EQ(Calls({"clipboard A"}), m_actions.m_rgstrCalls);
  EXPECT_EQ(Calls({"send clipboard"}), m_mainWindow.m_rgstrCalls);
  EXPECT_EQ("String in constant expression could not be parsed [ <C ].", errorOf("SendData(\"<C\")"));
}

TEST_F(ActionFunctionsTest, PortFunctionsActOnlyWithTheMainWindowAndIgnoreArguments)
{
  EXPECT_EQ(Calls(), actionsOf("OpenPort() + ClosePort(1, 2)"));
  EXPECT_TRUE(m_mainWindow.m_rgstrCalls.empty());
  EXPECT_TRUE(runWithMainWindow("ClosePort(x) + OpenPort()", "")) << m_strError;
  EXPECT_EQ(Calls({"close port", "open port"}), m_mainWindow.m_rgstrCalls);
}

TEST_F(ActionFunctionsTest, SetProfileChecksTheNameAndRecordsIt)
{
  const struct
  {
    const char* pszExpression;
    const char* pszRecorded;  // null: nothing recorded
    bool fOk;
  } rgRows[] = {
    {"SetProfile(\"Lager2\")", "profile Lager2", true},
    {"SetProfile(Lager2)", "profile Lager2", true},
    {"setprofile(\"\xC5" "s\xE4\xF6\xC4\xD6\xE5\")", "profile \xC5" "s\xE4\xF6\xC4\xD6\xE5", true},
    {"SetProfile(\"\")", nullptr, true},
    {"SetProfile(\"Lager 2\")", nullptr, false},
    {"SetProfile(Lager-2)", nullptr, false},
    {"SetProfile(\"Lager2\"x)", nullptr, false},
    {"SetProfile(\xE9t\xE9)", nullptr, false},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszExpression);
    m_mainWindow.m_rgstrCalls.clear();
    EXPECT_EQ(row.fOk, runWithMainWindow(row.pszExpression, ""));
    EXPECT_EQ(row.pszRecorded != nullptr ? Calls({row.pszRecorded}) : Calls(), m_mainWindow.m_rgstrCalls);
    if (!row.fOk)
    {
      EXPECT_EQ("Only letters and digits may be used as a profile name.", m_strError);
    }
  }
  EXPECT_TRUE(run("SetProfile(Lager2)", "")) << "the test dialog only checks the name";
}

TEST_F(ActionFunctionsTest, CallExchangesTheDataWithAProgramThroughFiles)
{
  m_actions.m_fnOnStart = [](RecordingExpressionActions& actions, const std::string&) {
    actions.m_mapFiles["out.txt"] = "<" + actions.m_mapFiles["in.txt"] + ">";
  };
  EXPECT_EQ(Calls({"write in.txt ABC", "start conv.exe in.txt out.txt", "wait #1 60000", "release #1",
                   "read out.txt"}),
            actionsOf("\"[\" + Call( \"conv.exe in.txt out.txt\" , \"in.txt\", out.txt ) + \"]\"", "ABC"));
  EXPECT_EQ("[|<ABC>|]|", pieces());
  EXPECT_EQ(nullptr, m_hProgram);
}

TEST_F(ActionFunctionsTest, CallAnswerEndsAtItsFirstZeroByte)
{
  m_actions.m_mapFiles["out"] = std::string("ok\0rest", 7);
  EXPECT_TRUE(run("Call(p, in, out)", "x")) << m_strError;
  EXPECT_EQ("ok|", pieces());
}

TEST_F(ActionFunctionsTest, CallOfAProgramThatOutlivesTheWaitProducesNothing)
{
  m_actions.m_fProgramsEnd = false;
  m_actions.m_mapFiles["out"] = "stale";
  m_evaluator.setCallTimeout(500);
  EXPECT_EQ(Calls({"write in x", "start p", "wait #1 500", "release #1"}), actionsOf("Call(p, in, out)", "x"));
  EXPECT_EQ("", pieces());
  EXPECT_EQ(nullptr, m_hProgram);
}

TEST_F(ActionFunctionsTest, CallReportsFileAndStartFailures)
{
  m_actions.m_setUnwritable.insert("in");
  EXPECT_EQ("Failed to write input data to file [in].", errorOf("Call(p, in, out)"));
  m_actions.m_setUnwritable.clear();
  EXPECT_EQ("Failed to read output data from file [missing].", errorOf("Call(p, in, \"missing\")"));
  EXPECT_EQ(nullptr, m_hProgram) << "the program is cleared also when its answer cannot be read";
  EXPECT_TRUE(m_actions.m_setOpenPrograms.empty());
  m_actions.m_fStartFails = true;
  EXPECT_EQ("Failed to start program [p q].", errorOf("Call(\"p q\", in, out)"));
}

TEST_F(ActionFunctionsTest, SettingsReportsTheCurrentProfileOnlyWithTheMainWindow)
{
  EXPECT_TRUE(run("Settings()", ""));
  EXPECT_EQ("<No settings available right now>|", pieces());
  EXPECT_TRUE(runWithMainWindow("Settings( )", ""));
  EXPECT_EQ("Default,COM1,9600,8,No parity,1|", pieces());
}

TEST_F(ActionFunctionsTest, RebootAsksForARestartWithOrWithoutForce)
{
  EXPECT_EQ(Calls({"restart"}), actionsOf("Reboot()"));
  EXPECT_EQ(Calls({"restart forced"}), actionsOf("RebootForced(now, please)"));
}

TEST_F(ActionFunctionsTest, WithoutOutputFunctionOnlyTheChecksRun)
{
  m_actions.m_rgWindows.push_back({"W", 0});
  std::string strError;
  EXPECT_TRUE(m_evaluator.evaluateExpression(
    "Delay(5) + RunApp(x) + WaitForWindow(W, 0) + SetFocus(W) + SendData(x) + OpenPort() + "
    "SetProfile(P) + Call(p, i, o) + Settings() + Reboot() + RebootForced()",
    m_hProgram, &m_mainWindow, "DATA", strError, nullptr, nullptr, nullptr))
    << strError;
  EXPECT_EQ(Calls(), m_actions.m_rgstrCalls);
  EXPECT_EQ(Calls(), m_mainWindow.m_rgstrCalls);
}

TEST(ExpressionSyntaxCheckTest, FindsTheErrorsThatNeedNoDataAndRunsNoAction)
{
  // Any action would end the process: the syntax check stands in for the system with an object
  // that treats every action as a programming error.
  const struct
  {
    const char* pszExpression;
    const char* pszError;  // empty: valid
  } rgRows[] = {
    {"Input() + \"<cr>\"", ""},
    {"", ""},
    {"Left(x) + Right(\"Q\") + Mid(\"A\") + SubStr(1, x)", ""},
    {"Mid(1, 2) + Mid(1, 23 )", ""},
    {"Mid(1, x)", "Only digits allowed [ x ].\n"},
    {"Mid(1, \"A\")", "Only digits allowed [ \"A\" ].\n"},
    {"Mid(1, 2 )", ""},
    {"Date(\"%Y\") + Time(\"%H\")", ""},
    {"Date(%Y)", "Argument must be enclosed in quotes [ Date(%Y) ]."},
    {"Date(\"\")", "Error in date/time expression."},
    {"EAN128Field(01) + EAN128Field(\"310\")", ""},
    {"EAN128Field(-1)", "Negative argument not allowed [ EAN128Field(-1) ]."},
    {"Delay(-1)", "Negative argument not allowed [ Delay(-1) ]."},
    {"SetProfile(\"Lager 2\")", "Only letters and digits may be used as a profile name."},
    {"RunApp(\"<C\") + SendData(\"<C\") + Call(a, b, c) + WaitForWindow(x, 0) + SetFocus(x)", ""},
    {"WaitForAppExit(0) + Reboot(1) + RebootForced() + OpenPort(1) + ClosePort() + Settings()", ""},
    {"Settings(1)", "Function does not take any arguments [ Settings(1) ]."},
    {"Left(1", "Undefined function or invalid function call syntax [ Left(1 ]."},
    {"Foo()", "Undefined function [ Foo() ]."},
    {"Input() + + Input()", "Undefined function or invalid function call syntax [  ]."},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.pszExpression);
    std::string strError;
    bool fValid = *row.pszError == '\0';
    EXPECT_EQ(fValid, ExpressionEvaluator::checkExpressionSyntax(row.pszExpression, strError));
    EXPECT_EQ(row.pszError, strError);
  }
}
