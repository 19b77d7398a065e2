// Keystrokes typed through the real injector into a real edit control of another process.
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "KeyTargetProcess_win.h"
#include "base/UniqueResource_win.h"
#include "keyboard/KeyboardEvents.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/KeystrokePlanner.h"
#include "keyboard/TesselBinding_win.h"

#include <memory>
#include <gtest/gtest.h>

#include <chrono>

namespace
{
// Counts what reaches the system, so a test can tell "sent nothing" from "sent, but lost".
class CountingSink : public KeyEventSink
{
public:
  bool keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) override
  {
    ++m_nEvents;
    return m_system.keyEvent(nVirtualKey, nScanCode, dwFlags);
  }
  bool unicodeEvent(int nCode, unsigned dwFlags) override
  {
    ++m_nEvents;
    return m_system.unicodeEvent(nCode, dwFlags);
  }
  void wait(int nMilliseconds) override
  {
    ++m_nWaits;
    m_system.wait(nMilliseconds);
  }

  int m_nEvents = 0;
  int m_nWaits = 0;

private:
  SystemKeyEventSink m_system;
};

class NoCapsLock : public CapsLockState
{
public:
  int getCapsLockState() const override { return 0; }
};

// A window of the test process that plays the program's own main window.
class OwnMainWindow
{
public:
  OwnMainWindow()
  {
    m_hwnd = CreateWindowExA(0, "STATIC", "Quilbar main window stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                             200, 100, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SystemForegroundWindow::setMainWindow(m_hwnd);
  }
  ~OwnMainWindow()
  {
    SystemForegroundWindow::setMainWindow(NULL);
    DestroyWindow(m_hwnd);
  }
  HWND m_hwnd;
};

class KeyboardOutputTest : public ::testing::Test
{
protected:
  // One target for the suite: starting a process under Wine takes about two seconds.
  static void SetUpTestSuite() { s_pTarget = std::make_unique<KeyTargetProcess>("Quilbar Key Target"); }
  static void TearDownTestSuite() { s_pTarget.reset(); }

  void SetUp() override
  {
    std::string strWhy;
    ASSERT_TRUE(m_target.isReady(strWhy)) << strWhy;
    ASSERT_TRUE(m_target.bringToFront()) << "target window never came to the front";
    m_target.clearText();
    m_settings.pmapKeyTranslator = &m_map;
    m_emitter.setSettings(m_settings);
  }
  void TearDown() override { g_fKeyboardEvents = true; }

  std::string type(const std::string& strText)
  {
    std::string strReport;
    m_emitter.sendKeystrokes(strText.c_str(), strReport, false);
    return strReport;
  }

  static std::unique_ptr<KeyTargetProcess> s_pTarget;
  KeyTargetProcess& m_target = *s_pTarget;
  KeyTranslatorMap m_map;
  KeyboardOutputSettings m_settings;
  CountingSink m_sink;
  SystemForegroundWindow m_foreground;
  NoCapsLock m_caps;
  KeystrokeEmitter m_emitter{m_sink, m_foreground, m_caps};
};

std::unique_ptr<KeyTargetProcess> KeyboardOutputTest::s_pTarget;

TEST_F(KeyboardOutputTest, EveryDefaultClassArrivesExactly)
{
  struct Row
  {
    const char* pszName;
    std::string strTyped;
    std::string strArrived;
  } krgRows[] = {
      {"printable ASCII as Unicode events", "Hello, World! 0123456789 ~`!@#$%^&*()_+-=[]{}|\\;':\",./<>?",
       "Hello, World! 0123456789 ~`!@#$%^&*()_+-=[]{}|\\;':\",./<>?"},
      {"Enter and Tab", "a\rb\tc", "a\r\nb\tc"},
      {"Backspace", "abcd\b", "abc"},
      {"extended navigation and Delete", "abc\x84\x7FX", "abX"},
      {"Home and End", "bc\x83" "a\x82" "d", "abcd"},
      {"shifted key", "x\x1D", "x^"},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    m_target.clearText();
    type(row.strTyped);
    EXPECT_TRUE(m_target.waitForText(row.strArrived))
        << "awaited \"" << row.strArrived << "\" in the target, found \"" << m_target.text() << "\"";
  }
}

TEST_F(KeyboardOutputTest, UnicodeEntryOutsideAsciiArrives)
{
  m_map.entryOf(0xE9) = KeyTranslator(0xE9, 0xE9, true, true, true, true, true, true, true);
  type("caf\xE9");
  EXPECT_TRUE(m_target.waitForText("caf\xE9")) << "found \"" << m_target.text() << "\"";
}

TEST_F(KeyboardOutputTest, DeadKeyEntrySendsItsTrailingSpace)
{
  m_map.entryOf(0xA8) = KeyTranslator(0xA8, 0xBA, true, false, false, false, false, true, false);
  EXPECT_EQ("a ] ", type("a\xA8"));
  // A US layout has no dead keys, so the key's own character and the space both show.
  EXPECT_TRUE(m_target.waitForText("a; ")) << "found \"" << m_target.text() << "\"";
}

TEST_F(KeyboardOutputTest, IntercharacterDelayPacesTheTyping)
{
  m_settings.nIntercharacterDelay = 20;
  m_emitter.setSettings(m_settings);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ("a b Shift+' ", type("ab\xC4"));
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(8, m_sink.m_nWaits);
  EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 8 * 20);
  EXPECT_TRUE(m_target.waitForText("ab\"")) << "found \"" << m_target.text() << "\"";
}

TEST_F(KeyboardOutputTest, NothingIsTypedWhileTheOwnMainWindowIsInFront)
{
  {
    OwnMainWindow mainWindow;
    ASSERT_TRUE(bringOwnWindowToFront(mainWindow.m_hwnd)) << "stand-in main window never came to the front";
    EXPECT_EQ("", type("abc"));
    EXPECT_EQ(0, m_sink.m_nEvents);
  }
  // The stand-in is gone before the target comes back: Wine without a window manager may hand
  // the keyboard back to a window of this process a moment after the target took the front.
  ASSERT_TRUE(m_target.bringToFront());
  EXPECT_EQ("Z ", type("Z"));
  EXPECT_TRUE(m_target.waitForText("Z")) << "found \"" << m_target.text() << "\"";
}

TEST_F(KeyboardOutputTest, NothingIsTypedWithKeyboardEventsSwitchedOff)
{
  g_fKeyboardEvents = false;
  EXPECT_EQ("", type("abc"));
  EXPECT_EQ(0, m_sink.m_nEvents);
  g_fKeyboardEvents = true;
  type("Z");
  EXPECT_TRUE(m_target.waitForText("Z")) << "found \"" << m_target.text() << "\"";
}

TEST_F(KeyboardOutputTest, LockFollowsTheRealForegroundTitle)
{
  m_settings.fLockOutputWindow = true;
  m_settings.rgstrTitles = {"Notepad*"};
  m_emitter.setSettings(m_settings);
  EXPECT_EQ("", type("abc"));
  EXPECT_EQ(0, m_sink.m_nEvents);

  m_settings.rgstrTitles = {"Notepad*", "Quilbar Key T?rget"};
  m_emitter.setSettings(m_settings);
  type("ok");
  EXPECT_TRUE(m_target.waitForText("ok")) << "found \"" << m_target.text() << "\"";
}

TEST_F(KeyboardOutputTest, PrefixAndPostfixChordsReachTheSystem)
{
  m_settings.fSendPreAndPostfixKeys = true;
  m_emitter.setSettings(m_settings);
  m_emitter.sendPrefixKeys();
  m_emitter.sendPostfixKeys();
  EXPECT_EQ(16, m_sink.m_nEvents);
  type("x");
  EXPECT_TRUE(m_target.waitForText("x")) << "modifiers left pressed? found \"" << m_target.text() << "\"";
}

// The typing benchmark learns of an arrival from the target itself; an early signal would make
// it time text that has not arrived.
TEST_F(KeyboardOutputTest, TargetSignalsOnlyOnceTheAwaitedLengthHasArrived)
{
  UniqueHandle hevtArrived(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(m_target.notifyWhenLength(3, hevtArrived.get())) << "the target did not take the request";
  type("ab");
  ASSERT_TRUE(m_target.waitForText("ab")) << "found \"" << m_target.text() << "\"";
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(hevtArrived.get(), 0)) << "signalled at 2 of 3 characters";
  type("c");
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hevtArrived.get(), 10000)) << "no signal after the third character";
}

TEST(TesselBindingTest, MissingLibraryLeavesTheBindingUnbound)
{
  TesselBinding binding;
  EXPECT_FALSE(binding.bind("NoSuchTessel.dll"));
  EXPECT_FALSE(binding.isBound());
  EXPECT_EQ(nullptr, g_pfnGetCapsLockState);
  EXPECT_EQ(0, binding.getCapsLockState());
}

TEST(TesselBindingTest, LibraryWithoutTheExportIsFreedAgain)
{
  TesselBinding binding;
  EXPECT_FALSE(binding.bind("version.dll"));
  EXPECT_FALSE(binding.isBound());
  EXPECT_EQ(nullptr, g_pfnGetCapsLockState);
}
}  // namespace
