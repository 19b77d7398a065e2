#include "base/DialogBase_win.h"
#include "base/PropertyPageBase_win.h"
#include "DialogDriver_win.h"
#include "TestDialogIds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <future>
#include <mutex>
#include <string>
#include <vector>

namespace dd = dialogdriver;

namespace
{
// Records what the skeleton hands to a dialog.
class RecordingDialog : public CDialogBase
{
public:
  RecordingDialog() : CDialogBase(IDD_TEST_DIALOG) {}

  std::atomic<int> nUserChanges{0};
  std::atomic<int> nPresses{0};
  std::atomic<bool> fInitSawWindow{false};
  std::atomic<LONG_PTR> nUserData{-1};

protected:
  bool onInit() override
  {
    fInitSawWindow = hwnd() != nullptr && item(IDC_TEST_EDIT) != nullptr;
    FillGuard filling(*this);
    setItemText(IDC_TEST_EDIT, "filled by the dialog");
    return true;
  }
  bool onCommand(int nId, int nCode, HWND) override
  {
    if (nId == IDC_TEST_EDIT && nCode == EN_CHANGE && !isFilling())
      ++nUserChanges;
    if (nId == IDC_TEST_BUTTON && nCode == BN_CLICKED)
    {
      ++nPresses;
      nUserData = GetWindowLongPtrA(hwnd(), GWLP_USERDATA);
      return true;
    }
    return false;
  }
};

// Written by the sheet's thread, read by the test's.
class PageLog
{
public:
  void add(const std::string& strEvent)
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rgEvents.push_back(strEvent);
  }
  std::vector<std::string> events() const
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rgEvents;
  }

private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_rgEvents;
};

class RecordingPage : public CPropertyPageBase
{
public:
  RecordingPage(const char* pszTitle, PageLog& log, bool fRefuseLeaving)
    : CPropertyPageBase(IDD_TEST_PAGE, pszTitle), m_strName(pszTitle), m_log(log), m_fRefuseLeaving(fRefuseLeaving)
  {
  }
protected:
  void onSetActive() override { m_log.add(m_strName + " active"); }
  bool onKillActive() override
  {
    m_log.add(m_strName + " left");
    bool fRefuse = m_fRefuseLeaving;
    m_fRefuseLeaving = false;  // refuses once, then lets go
    return !fRefuse;
  }
  void onApply() override { m_log.add(m_strName + " applied"); }

private:
  std::string m_strName;
  PageLog& m_log;
  bool m_fRefuseLeaving;
};

INT_PTR runSheet(RecordingPage& first, RecordingPage& second, UINT nStartPage)
{
  PROPSHEETPAGEA rgPages[2] = {first.pageDescription(), second.pageDescription()};
  PROPSHEETHEADERA header;
  std::memset(&header, 0, sizeof(header));
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = "Skeleton Sheet";
  header.nPages = 2;
  header.nStartPage = nStartPage;
  header.ppsp = rgPages;
  return PropertySheetA(&header);
}
}  // namespace

TEST(DialogBaseTest, HandlersSeeTheWindowAndFillingIsNotUserInput)
{
  RecordingDialog dialog;
  auto result = std::async(std::launch::async, [&] { return dialog.runModal(nullptr); });
  HWND hwnd = dd::waitForDialog("Dialog Skeleton Test");
  ASSERT_NE(nullptr, hwnd) << "the test dialog never appeared";
  EXPECT_TRUE(dialog.fInitSawWindow) << "onInit must run with the window and its controls attached";
  EXPECT_EQ("filled by the dialog", dd::itemText(hwnd, IDC_TEST_EDIT));
  EXPECT_EQ(0, dialog.nUserChanges) << "EN_CHANGE raised while filling counted as user input";

  dd::setItemText(hwnd, IDC_TEST_EDIT, "typed");
  dd::pressButton(hwnd, IDC_TEST_BUTTON);
  ASSERT_TRUE(dd::waitPumping([&] { return dialog.nPresses == 1; })) << "the button never reached onCommand";
  EXPECT_EQ(1, dialog.nUserChanges);
  EXPECT_EQ(0, dialog.nUserData) << "GWLP_USERDATA must stay free for the window's own marks";

  dd::pressButton(hwnd, IDOK);
  ASSERT_EQ(std::future_status::ready, result.wait_for(std::chrono::seconds(10)));
  EXPECT_EQ(IDOK, result.get());
  EXPECT_EQ(nullptr, dialog.hwnd()) << "the object must be detached when its window is destroyed";
}

TEST(DialogBaseTest, EscapeEndsWithCancel)
{
  RecordingDialog dialog;
  auto result = std::async(std::launch::async, [&] { return dialog.runModal(nullptr); });
  HWND hwnd = dd::waitForDialog("Dialog Skeleton Test");
  ASSERT_NE(nullptr, hwnd);
  dd::pressButton(hwnd, IDCANCEL);
  ASSERT_EQ(std::future_status::ready, result.wait_for(std::chrono::seconds(10)));
  EXPECT_EQ(IDCANCEL, result.get());
}

TEST(PropertyPageBaseTest, PageLifeFollowsTheSheetAndAPageCanRefuseToBeLeft)
{
  PageLog log;
  RecordingPage first("First", log, false);
  RecordingPage second("Second", log, true);
  auto result = std::async(std::launch::async, [&] { return runSheet(first, second, 1); });
  HWND hwndSheet = dd::waitForDialog("Skeleton Sheet");
  ASSERT_NE(nullptr, hwndSheet) << "the sheet never appeared";

  // OK while the refusing page is active: the sheet stays open.
  dd::pressButton(hwndSheet, IDOK);
  ASSERT_TRUE(dd::waitPumping([&] { return log.events().size() >= 2; }));
  EXPECT_NE(nullptr, dd::findWindow("Skeleton Sheet")) << "a page that refuses to be left keeps the sheet open";

  dd::pressButton(hwndSheet, IDOK);
  ASSERT_EQ(std::future_status::ready, result.wait_for(std::chrono::seconds(10)));
  EXPECT_GT(result.get(), 0) << "OK ends the sheet with a positive result";
  // The first page was never activated: it neither loads nor applies anything.
  std::vector<std::string> rgExpected = {"Second active", "Second left", "Second left", "Second applied"};
  EXPECT_EQ(rgExpected, log.events());
}

namespace
{
// Help requests as the program's handler receives them.
struct HelpLog
{
  std::mutex mutex;
  std::vector<std::pair<HWND, int>> rgRequests;

  static void record(HWND hwndDialog, int nContextId, void* pContext)
  {
    auto* pLog = static_cast<HelpLog*>(pContext);
    std::lock_guard<std::mutex> lock(pLog->mutex);
    pLog->rgRequests.emplace_back(hwndDialog, nContextId);
  }
  size_t count()
  {
    std::lock_guard<std::mutex> lock(mutex);
    return rgRequests.size();
  }
  std::pair<HWND, int> last()
  {
    std::lock_guard<std::mutex> lock(mutex);
    return rgRequests.back();
  }
};

const UINT kuKeyF1 = 0x004D;  // WM_KEYF1: what the system makes of the F1 key in a window

class HelpHandlerScope
{
public:
  explicit HelpHandlerScope(HelpLog& log) { CDialogBase::setHelpHandler(&HelpLog::record, &log); }
  ~HelpHandlerScope() { CDialogBase::setHelpHandler(nullptr, nullptr); }
};
}  // namespace

// F1 in any control reaches the dialog (or page) that holds it, which asks for the help topic of
// its own template.
TEST(DialogBaseTest, F1InAControlAsksForTheHelpOfTheDialogsTemplate)
{
  HelpLog log;
  HelpHandlerScope scope(log);
  RecordingDialog dialog;
  auto result = std::async(std::launch::async, [&] { return dialog.runModal(nullptr); });
  HWND hwnd = dd::waitForDialog("Dialog Skeleton Test");
  ASSERT_NE(nullptr, hwnd);
  PostMessageA(GetDlgItem(hwnd, IDC_TEST_EDIT), kuKeyF1, 0, 0);
  ASSERT_TRUE(dd::waitPumping([&] { return log.count() == 1; })) << "F1 in the edit control asked for no help";
  EXPECT_EQ(std::make_pair(hwnd, IDD_TEST_DIALOG), log.last());
  dd::pressButton(hwnd, IDCANCEL);
  ASSERT_EQ(std::future_status::ready, result.wait_for(std::chrono::seconds(10)));
}

TEST(PropertyPageBaseTest, F1OnAPageAsksForTheHelpOfThePagesTemplate)
{
  HelpLog log;
  HelpHandlerScope scope(log);
  PageLog pages;
  RecordingPage first("First", pages, false);
  RecordingPage second("Second", pages, false);
  auto result = std::async(std::launch::async, [&] { return runSheet(first, second, 0); });
  HWND hwndSheet = dd::waitForDialog("Skeleton Sheet");
  ASSERT_NE(nullptr, hwndSheet);
  HWND hwndPage = PropSheet_GetCurrentPageHwnd(hwndSheet);
  ASSERT_NE(nullptr, hwndPage);
  PostMessageA(GetDlgItem(hwndPage, IDC_TEST_EDIT), kuKeyF1, 0, 0);
  ASSERT_TRUE(dd::waitPumping([&] { return log.count() == 1; })) << "F1 on the page asked for no help";
  EXPECT_EQ(std::make_pair(hwndPage, IDD_TEST_PAGE), log.last());
  dd::pressButton(hwndSheet, IDCANCEL);
  ASSERT_EQ(std::future_status::ready, result.wait_for(std::chrono::seconds(10)));
}
