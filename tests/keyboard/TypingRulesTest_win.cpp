// Typing rules under Wine: the keys of the X keyboard layout Wine maps (US, German, French), its
// console, and a control character in the form a rule chose.
#include "KeyTargetProcess_win.h"
#include "TestSupport.h"
#include "base/UniqueResource_win.h"
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "keyboard/KeystrokeEmitter.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <vector>

namespace
{
using namespace std::chrono_literals;

class NoCapsLock : public CapsLockState
{
public:
  int getCapsLockState() const override { return 0; }
};

// A Unix program that Wine starts gives no process handle to wait on: callers look for its effect.
bool start(std::string strCommand, DWORD dwFlags = 0, PROCESS_INFORMATION* pKeep = nullptr)
{
  std::vector<char> rgchCommand(strCommand.begin(), strCommand.end());
  rgchCommand.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, rgchCommand.data(), nullptr, nullptr, FALSE, dwFlags, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  if (pKeep != nullptr)
    *pKeep = pi;
  else
    CloseHandle(pi.hProcess);
  return true;
}

void pumpMessages()
{
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    DispatchMessageA(&msg);
}

// The X keyboard layout of the harness's display (Wine starts Unix programs too), back to US when
// the story ends however it ends. Wine maps its keyboard again when a thread with an X connection
// of its own sees the change; asking the layout for a key opens this thread's connection.
class XKeyboardLayout
{
public:
  XKeyboardLayout() { VkKeyScanExW(L'a', GetKeyboardLayout(0)); }
  ~XKeyboardLayout() { set("us", 0x2C); }
  // nScanOfZ: where the layout puts Z, which tells that this process maps it. On a loaded machine
  // the new map has been seen to take more than ten seconds.
  bool set(const char* pszLayout, int nScanOfZ)
  {
    if (!start(std::string("Z:\\usr\\bin\\setxkbmap ") + pszLayout))
      return false;
    return testsupport::waitUntil(
        [&] {
          pumpMessages();
          return static_cast<int>(MapVirtualKeyExA('Z', MAPVK_VK_TO_VSC, GetKeyboardLayout(0))) == nScanOfZ;
        },
        30000ms, 20ms);
  }
};

class TypingRulesTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    m_settings.pmapKeyTranslator = &m_map;
    m_settings.pTypingRules = &m_rules;
  }

  void useRule(const TypingRule& rule)
  {
    m_rules.setRules({rule});
    m_emitter.setSettings(m_settings);
  }

  std::string type(const char* psz)
  {
    std::string strReport;
    m_emitter.sendKeystrokes(psz, strReport, false);
    return strReport;
  }

  // The target takes keys by the new layout once it has seen the change: until then the keys of
  // Y and A come out as another layout's letters. Raw keys, so no rule is involved.
  bool targetFollowsLayout(KeyTargetProcess& target)
  {
    SystemKeyEventSink sink;
    return testsupport::waitUntil(
        [&] {
          target.clearText();
          for (int nVirtualKey : {'Y', 'A'})
          {
            int nScanCode = static_cast<int>(MapVirtualKeyExA(nVirtualKey, MAPVK_VK_TO_VSC, GetKeyboardLayout(0)));
            sink.keyEvent(nVirtualKey, nScanCode, 0);
            sink.keyEvent(nVirtualKey, nScanCode, kdwKeyUp);
          }
          bool fFollows = target.waitForText("ya", 500);
          m_strSentinel = target.text();
          return fFollows;
        },
        10000ms, 50ms);
  }

  std::string m_strSentinel;
  KeyTranslatorMap m_map;
  TypingRuleList m_rules;
  KeyboardOutputSettings m_settings;
  SystemKeyEventSink m_sink;
  SystemForegroundWindow m_foreground;
  NoCapsLock m_caps;
  KeystrokeEmitter m_emitter{m_sink, m_foreground, m_caps};
};

// The scan arrives right under each layout with the layout rule: the key map alone has no key
// for the e-acute at all. Under Wine "@" needs AltGr on the German and French layouts, which
// injected keys cannot carry there, and the e-acute is no key of Wine's: both go as Unicode.
TEST_F(TypingRulesTest, AScanArrivesRightUnderEachLayoutWithTheLayoutRule)
{
  TypingRule rule;
  rule.setTitle("Quilbar Layout Target");
  rule.setTextMethod(TypingRule::kTextLayoutKeys);
  useRule(rule);
  XKeyboardLayout layout;
  const struct
  {
    const char* pszLayout;
    int nScanOfZ;
  } krgLayouts[] = {{"de", 0x15}, {"fr", 0x11}, {"us", 0x2C}};
  for (const auto& row : krgLayouts)
  {
    SCOPED_TRACE(row.pszLayout);
    ASSERT_TRUE(layout.set(row.pszLayout, row.nScanOfZ)) << "this process never mapped the layout";
    // Started after the change: a Wine process that is running keeps the layout it started with.
    KeyTargetProcess target("Quilbar Layout Target");
    std::string strWhy;
    ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
    ASSERT_TRUE(target.bringToFront());
    ASSERT_TRUE(targetFollowsLayout(target)) << "the target never typed by the layout: Y and A came as \""
                                              << m_strSentinel << "\"";
    target.clearText();
    EXPECT_EQ("C a f \xE9 - 1 2 / 3 @ x . d e ", type("Caf\xE9-12/3@x.de"));
    EXPECT_TRUE(target.waitForText("Caf\xE9-12/3@x.de")) << "found \"" << target.text() << "\"";
    EXPECT_EQ("", m_emitter.takeSkipped());
  }
}

// Wine's console drops Unicode events (the default map's way for letters and digits) but takes
// keys: with the keys rule for its window class, the scan reaches the command line.
TEST_F(TypingRulesTest, AScanArrivesInTheConsoleWithTheKeysRule)
{
  char szTemp[MAX_PATH] = "";
  ASSERT_NE(0u, GetTempPathA(MAX_PATH, szTemp));
  std::string strOut = std::string(szTemp) + "quilbar-console-scan.txt";
  DeleteFileA(strOut.c_str());
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(start("cmd.exe /k", CREATE_NEW_CONSOLE, &pi));
  UniqueHandle hProcess(pi.hProcess);
  HWND hwndConsole = nullptr;
  ASSERT_TRUE(testsupport::waitUntil(
      [&] {
        hwndConsole = FindWindowA("WineConsoleClass", nullptr);
        return hwndConsole != nullptr;
      },
      10000ms, 20ms))
      << "no console window";
  ASSERT_TRUE(bringOwnWindowToFront(hwndConsole)) << "the console never came to the front";
  TypingRule rule;
  rule.setClass("WineConsoleClass");
  rule.setTextMethod(TypingRule::kTextLayoutKeys);
  useRule(rule);
  type(("echo Scan-12/3@x.de>" + strOut + "\r").c_str());
  std::string strArrived;
  bool fArrived = testsupport::waitUntil(
      [&] {
        FILE* pFile = std::fopen(strOut.c_str(), "rb");
        if (pFile == nullptr)
          return false;
        char szLine[64] = "";
        size_t nRead = std::fread(szLine, 1, sizeof szLine - 1, pFile);
        std::fclose(pFile);
        strArrived.assign(szLine, nRead);
        return strArrived == "Scan-12/3@x.de\r\n";
      },
      10000ms, 50ms);
  TerminateProcess(hProcess.get(), 0);
  DeleteFileA(strOut.c_str());
  EXPECT_TRUE(fArrived) << "the console wrote \"" << strArrived << "\"";
}

TEST_F(TypingRulesTest, AGroupSeparatorArrivesInTheFormItsRuleChose)
{
  KeyTargetProcess target("Quilbar GS Target");
  std::string strWhy;
  ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
  ASSERT_TRUE(target.bringToFront());
  const struct
  {
    int nControlMethod;
    const char* pszText;
    const char* pszArrived;
  } krgRows[] = {{TypingRule::kControlKeyMap, "", "A^B"}, {TypingRule::kControlText, "|", "A|B"}};
  for (const auto& row : krgRows)
  {
    SCOPED_TRACE(row.pszArrived);
    TypingRule rule;
    rule.setControlMethod(row.nControlMethod);
    rule.setControlText(row.pszText);
    useRule(rule);
    target.clearText();
    type("A\x1D" "B");
    EXPECT_TRUE(target.waitForText(row.pszArrived)) << "found \"" << target.text() << "\"";
  }
}
}  // namespace
