#include "UnexpectedBoxEnvironment_win.h"

#include "MessageBoxAnswerer_win.h"

#include <cstdio>
#include <string>

using namespace std::chrono_literals;

namespace
{
const auto kPollInterval = 20ms;
// How long a test may leave a box of its own open before it counts as forgotten.
const auto kPatience = 5s;

std::string captionOf(HWND hwnd)
{
  char szCaption[256] = "";
  GetWindowTextA(hwnd, szCaption, sizeof szCaption);
  return szCaption;
}

std::string currentTestName()
{
  const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
  if (!pInfo)
    return "no test (between tests)";
  return std::string(pInfo->test_suite_name()) + "." + pInfo->name();
}

// Clears the flag behind lParam at the first child that is neither a button nor a static.
BOOL CALLBACK checkTextOrButton(HWND hwndChild, LPARAM lParam)
{
  char szClass[32] = "";
  GetClassNameA(hwndChild, szClass, sizeof szClass);
  if (lstrcmpiA(szClass, "Button") == 0 || lstrcmpiA(szClass, "Static") == 0)
    return TRUE;
  *reinterpret_cast<bool*>(lParam) = false;
  return FALSE;
}

// A message box holds nothing but its text, its icon and buttons; dialogs that tests drive for
// longer (property sheets, forms) have other controls and are left alone.
bool looksLikeMessageBox(HWND hwnd)
{
  if (!GetDlgItem(hwnd, 0xFFFF))
    return false;
  bool fOnlyTextAndButtons = true;
  EnumChildWindows(hwnd, &checkTextOrButton, reinterpret_cast<LPARAM>(&fOnlyTextAndButtons));
  return fOnlyTextAndButtons;
}

// Cancel where the box has it, otherwise the first of the other usual answers.
void dismiss(HWND hwndBox)
{
  for (int nId : {IDCANCEL, IDOK, IDNO, IDABORT, IDIGNORE})
  {
    if (GetDlgItem(hwndBox, nId))
    {
      PostMessageA(hwndBox, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0);
      return;
    }
  }
  PostMessageA(hwndBox, WM_CLOSE, 0, 0);
}
}  // namespace

// A test that calls exit() itself (a death test's child) skips TearDown; GoogleTest deletes its
// environments at exit, and the watcher must be stopped by then.
UnexpectedBoxEnvironment::~UnexpectedBoxEnvironment()
{
  stop();
}

void UnexpectedBoxEnvironment::SetUp()
{
  m_fStop = false;
  m_thread = std::thread([this] { watch(); });
}

void UnexpectedBoxEnvironment::TearDown()
{
  stop();
}

void UnexpectedBoxEnvironment::stop()
{
  m_fStop = true;
  if (m_thread.joinable())
    m_thread.join();
}

void UnexpectedBoxEnvironment::watch()
{
  while (!m_fStop)
  {
    look();
    std::this_thread::sleep_for(kPollInterval);
  }
}

void UnexpectedBoxEnvironment::look()
{
  std::map<HWND, std::chrono::steady_clock::time_point> mapStillOpen;
  auto now = std::chrono::steady_clock::now();
  for (HWND hwnd : MessageBoxAnswerer::ownDialogs())
  {
    std::string strCaption = captionOf(hwnd);
    if (MessageBoxAnswerer::isAnswered(strCaption))
      continue;
    auto it = m_mapFirstSeen.find(hwnd);
    bool fNew = it == m_mapFirstSeen.end();
    auto firstSeen = fNew ? now : it->second;
    if (strCaption == "Fatal Error")
    {
      if (fNew)
        reportFatalErrorBox(hwnd);
      mapStillOpen[hwnd] = firstSeen;
    }
    else if (now - firstSeen >= kPatience && looksLikeMessageBox(hwnd))
      reportUnexpectedBox(hwnd);
    else
      mapStillOpen[hwnd] = firstSeen;
  }
  m_mapFirstSeen.swap(mapStillOpen);
}

// A failed contract check shows this box and then ends the process with exit code 0, so the
// test binary would look successful: the text printed here is what ctest fails the run on.
void UnexpectedBoxEnvironment::reportFatalErrorBox(HWND hwndBox)
{
  std::fprintf(stderr, "Fatal Error box in %s: %s\n", currentTestName().c_str(),
               MessageBoxAnswerer::boxText(hwndBox).c_str());
  std::fflush(stderr);
  PostMessageA(hwndBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void UnexpectedBoxEnvironment::reportUnexpectedBox(HWND hwndBox)
{
  std::string strCaption = captionOf(hwndBox);
  std::string strText = MessageBoxAnswerer::boxText(hwndBox);
  ADD_FAILURE() << "a message box nobody answered was open for " << kPatience.count()
                << " s: \"" << strCaption << "\": " << strText;
  dismiss(hwndBox);
}
