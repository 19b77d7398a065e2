#include "ExpressionActionsContract.h"
#include "engine/ExpressionActions_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace
{
const char* const kszContractWindowClass = "QuilbarContractWindow";

class WindowsEnvironment
{
public:
  WindowsEnvironment()
  {
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    m_strScratch = std::string(szTemp) + "quilbar-contract-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(m_strScratch.c_str(), nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kszContractWindowClass;
    RegisterClassA(&windowClass);
  }
  ~WindowsEnvironment()
  {
    for (HWND hWindow : m_rghWindows)
      DestroyWindow(hWindow);
  }

  ExpressionActions& actions() { return m_actions; }
  void addWindow(const std::string& strTitle)
  {
    m_rghWindows.push_back(CreateWindowExA(0, kszContractWindowClass, strTitle.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                                           100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  }
  std::string scratchPath(const std::string& strName) { return m_strScratch + strName; }
  std::string unwritablePath() { return m_strScratch + "no-such-directory\\x"; }
  std::string unstartableCommand() { return m_strScratch + "no-such-program.exe"; }
  std::string quickCommand() { return directoryOfThisProgram() + "quilbar_expression_child.exe sleep 0"; }

private:
  static std::string directoryOfThisProgram()
  {
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath(szPath);
    return strPath.substr(0, strPath.find_last_of("\\/") + 1);
  }

  ExpressionActionsWin m_actions;
  std::string m_strScratch;
  std::vector<HWND> m_rghWindows;
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Windows, ExpressionActionsContractTest, WindowsEnvironment);
