#include "MessageBoxAnswerer_win.h"

#include "TestSupport.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Captions answered by a live MessageBoxAnswerer (a multiset: two answerers may share one).
std::mutex g_mutexAnswered;
std::vector<std::string> g_rgstrAnswered;

std::string captionOf(HWND hwnd)
{
  char szCaption[256] = "";
  GetWindowTextA(hwnd, szCaption, sizeof szCaption);
  return szCaption;
}
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::string strCaption, int nButtonId,
                                       std::chrono::milliseconds answerDelay)
  : m_strCaption(std::move(strCaption)), m_nButtonId(nButtonId), m_answerDelay(answerDelay)
{
  {
    std::lock_guard<std::mutex> lock(g_mutexAnswered);
    g_rgstrAnswered.push_back(m_strCaption);
  }
  m_thread = std::thread([this] { watch(); });
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
  m_fStop = true;
  m_thread.join();
  std::lock_guard<std::mutex> lock(g_mutexAnswered);
  g_rgstrAnswered.erase(std::find(g_rgstrAnswered.begin(), g_rgstrAnswered.end(), m_strCaption));
}

std::vector<std::string> MessageBoxAnswerer::texts() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_rgTexts;
}

bool MessageBoxAnswerer::isAnswered(const std::string& strCaption)
{
  std::lock_guard<std::mutex> lock(g_mutexAnswered);
  return std::find(g_rgstrAnswered.begin(), g_rgstrAnswered.end(), strCaption) != g_rgstrAnswered.end();
}

std::string MessageBoxAnswerer::boxText(HWND hwndBox)
{
  // The message text is the box's static control with id 0xFFFF.
  char szText[2048] = "";
  HWND hwndStatic = GetDlgItem(hwndBox, 0xFFFF);
  if (hwndStatic)
    GetWindowTextA(hwndStatic, szText, sizeof szText);
  return szText;
}

std::vector<HWND> MessageBoxAnswerer::ownDialogs()
{
  std::vector<HWND> rghwnd;
  HWND hwnd = nullptr;
  while ((hwnd = FindWindowExA(nullptr, hwnd, "#32770", nullptr)) != nullptr)
  {
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hwnd, &dwProcessId);
    if (dwProcessId == GetCurrentProcessId() && IsWindowVisible(hwnd))
      rghwnd.push_back(hwnd);
  }
  return rghwnd;
}

HWND MessageBoxAnswerer::findOwnBox(const std::string& strCaption)
{
  for (HWND hwnd : ownDialogs())
    if (captionOf(hwnd) == strCaption)
      return hwnd;
  return nullptr;
}

bool MessageBoxAnswerer::answerOne()
{
  HWND hwndBox = findOwnBox(m_strCaption);
  if (!hwndBox)
    return false;
  if (m_answerDelay.count() > 0)
    Sleep(static_cast<DWORD>(m_answerDelay.count()));
  std::string strText = boxText(hwndBox);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rgTexts.push_back(strText);
  }
  PostMessageA(hwndBox, WM_COMMAND, MAKEWPARAM(m_nButtonId, BN_CLICKED), 0);
  // Wait until this box is gone so it is not recorded twice.
  for (int i = 0; i < 400 && IsWindow(hwndBox) && IsWindowVisible(hwndBox); ++i)
    Sleep(5);
  return true;
}

void MessageBoxAnswerer::watch()
{
  while (!m_fStop)
  {
    if (!answerOne())
      Sleep(10);
  }
}

namespace testsupport
{
void answerFatalErrorBoxes()
{
  // Deliberately leaked: the process ends inside the fatal error, with this watcher still running.
  struct StderrCopier
  {
    static DWORD WINAPI run(void*)
    {
      for (;;)
      {
        HWND hwndBox = MessageBoxAnswerer::findOwnBox("Fatal Error");
        if (hwndBox)
        {
          std::string strText = MessageBoxAnswerer::boxText(hwndBox);
          std::fprintf(stderr, "Fatal Error box: %s\n", strText.c_str());
          std::fflush(stderr);
          PostMessageA(hwndBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        Sleep(10);
      }
    }
  };
  HANDLE hThread = CreateThread(nullptr, 0, &StderrCopier::run, nullptr, 0, nullptr);
  if (hThread)
    CloseHandle(hThread);
}
}  // namespace testsupport
