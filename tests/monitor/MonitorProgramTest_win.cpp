// The real QuilbarMonitor.exe beside the real Quilbar.exe under Wine: Quilbar runs a profile on
// COM1, the test scans into COM2 (the far end of the null-modem pair) and reads the monitor's
// window as a user would see it.
#include "DialogDriver_win.h"
#include "KeyTargetProcess_win.h"
#include "SerialTestRig_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "base/Registry.h"
#include "monitor/MonitorResourceIds.h"
#include "settings/QuilbarProfileStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
const char kszMonitorTitle[] = "Tarnwick Quilbar Monitor";
const char kszQuilbarTitle[] = "Tarnwick Quilbar 3.21";
const int kcColumns = 5;

std::string quoted(const std::string& strPath)
{
  return "\"" + strPath + "\"";
}

class MonitorProgramTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    clearSettings();
    m_peer.drain();
  }
  void TearDown() override { clearSettings(); }

  static void clearSettings()
  {
    testsupport::removeStoredSettings();
  }

  // Line1 types what it reads; Locked types only into a window that never comes.
  static void saveProfiles()
  {
    QuilbarProfileStore store;
    for (const char* pszName : {"Line1", "Locked"})
    {
      QuilbarProfile& profile = store.addOrSelectProfile(pszName);
      profile.setDefaults();
      profile.setName(pszName);
      profile.setPort("COM1");
      profile.setInitString("UP^M");
      if (std::string(pszName) == "Locked")
      {
        profile.setLockOutputWindow(1);
        profile.setTitles(TextList{"Stock list"});
      }
    }
    ASSERT_TRUE(store.saveSettings());
  }

  std::unique_ptr<TestProcess> startQuilbar(const char* pszProfile)
  {
    auto quilbar = std::make_unique<TestProcess>(quoted(KeyTargetProcess::besideTestProgram("Quilbar.exe")) + " " + pszProfile);
    EXPECT_TRUE(quilbar->started());
    EXPECT_EQ("UP\r", m_peer.read(3, 20000ms)) << "Quilbar's port did not open";
    return quilbar;
  }

  std::string state() const { return dialogdriver::itemText(m_hwndMonitor, IDC_MONITOR_STATE); }
  std::vector<std::string> rows() const { return dialogdriver::listViewRows(m_hwndMonitor, IDC_MONITOR_LIST, kcColumns); }
  std::string lastRow() const
  {
    std::vector<std::string> rgstrRows = rows();
    return rgstrRows.empty() ? std::string() : rgstrRows.back();
  }
  bool waitForRows(size_t cRows) const
  {
    return testsupport::waitUntil([&] { return rows().size() >= cRows; }, 10000ms, 20ms);
  }
  bool waitForState(const std::string& strPart) const
  {
    return testsupport::waitUntil([&] { return state().find(strPart) != std::string::npos; }, 10000ms, 20ms);
  }

  PeerPort m_peer{"\\\\.\\COM2"};
  HWND m_hwndMonitor = NULL;
};

// A support person's session: the monitor finds the running wedge; a scan into the test pad
// (the default format types it with Enter) shows as a row with its notation, format and keys and is
// marked as arriving intact; the wedge
// is restarted with a locked window and the monitor follows it by itself, showing the refusal
// with its reason; closing the monitor leaves the wedge running.
TEST_F(MonitorProgramTest, AScanIsShownWithItsFateTheTestPadProvesItAndALockedWindowRefusalSaysWhy)
{
  ASSERT_TRUE(m_peer.isOpen());
  saveProfiles();
  std::unique_ptr<TestProcess> quilbar = startQuilbar("Line1");
  TestProcess monitor(quoted(KeyTargetProcess::besideTestProgram("QuilbarMonitor.exe")));
  ASSERT_TRUE(monitor.started());
  m_hwndMonitor = monitor.waitForWindow(kszMonitorTitle, "#32770");
  ASSERT_NE(nullptr, m_hwndMonitor) << "the monitor's window did not appear";
  ASSERT_TRUE(waitForState(kszQuilbarTitle)) << state();

  ASSERT_TRUE(bringOwnWindowToFront(m_hwndMonitor));
  PostMessageA(m_hwndMonitor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hwndMonitor, IDC_MONITOR_PAD)), TRUE);
  ASSERT_TRUE(m_peer.write("PAD<1>\r"));
  ASSERT_TRUE(waitForRows(1)) << state();
  EXPECT_EQ("PAD\\<1>\tPAD\\<1>\tDefault\ttyped: P A D < 1 > Enter ", lastRow().substr(lastRow().find('\t') + 1));
  std::string strEvent = dialogdriver::itemText(m_hwndMonitor, IDC_MONITOR_EVENT);
  EXPECT_EQ(0u, strEvent.find("Keyboard Output\r\nTime Stamp = ")) << strEvent;
  EXPECT_NE(std::string::npos, strEvent.find("\r\nMatching Data Editing Format = Default\r\n")) << strEvent;
  EXPECT_TRUE(testsupport::waitUntil(
      [&] { return dialogdriver::itemText(m_hwndMonitor, IDC_MONITOR_PAD_RESULT).find("Arrived intact: 7") == 0; },
      10000ms, 20ms))
      << dialogdriver::itemText(m_hwndMonitor, IDC_MONITOR_PAD_RESULT);
  EXPECT_EQ("PAD\\<1><CR>", dialogdriver::itemText(m_hwndMonitor, IDC_MONITOR_PAD_ARRIVED));
  EXPECT_EQ("PAD<1>", dialogdriver::itemText(m_hwndMonitor, IDC_MONITOR_PAD));

  // Unloaded and started again on the locked profile: the monitor follows the new window.
  HWND hwndQuilbar = dialogdriver::findWindow(kszQuilbarTitle, "#32770");
  ASSERT_NE(nullptr, hwndQuilbar);
  PostMessageA(hwndQuilbar, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(quilbar->waitForExit(20000ms)) << "Quilbar did not unload";
  ASSERT_TRUE(waitForState("Quilbar has ended")) << state();
  quilbar = startQuilbar("Locked");
  ASSERT_TRUE(waitForState(kszQuilbarTitle)) << state();
  ASSERT_TRUE(bringOwnWindowToFront(m_hwndMonitor));
  ASSERT_TRUE(m_peer.write("LOCK2\r"));
  ASSERT_TRUE(waitForRows(2)) << state();
  EXPECT_EQ("LOCK2\t\t\tnot typed: locked window not in front (\"Tarnwick Quilbar Monitor\" in front)",
            lastRow().substr(lastRow().find('\t') + 1));
  EXPECT_EQ(2u, rows().size()) << "the row of the first wedge stays";

  PostMessageA(m_hwndMonitor, WM_CLOSE, 0, 0);
  EXPECT_TRUE(monitor.waitForExit(10000ms)) << "the monitor did not close";
  EXPECT_TRUE(quilbar->isRunning());
}
}  // namespace
