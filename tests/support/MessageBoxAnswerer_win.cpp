#include "MessageBoxAnswerer_win.h"

#include "TestSupport.h"

#include <cstdio>

MessageBoxAnswerer::MessageBoxAnswerer(std::string strCaption, int nButtonId,
                                       std::chrono::milliseconds answerDelay)
  : m_strCaption(std::move(strCaption)), m_nButtonId(nButtonId), m_answerDelay(answerDelay),
    m_thread([this] { watch(); })
{
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
  m_fStop = true;
  m_thread.join();
}

std::vector<std::string> MessageBoxAnswerer::texts() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_rgTexts;
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

bool MessageBoxAnswerer::answerOne()
{
  HWND hwndBox = FindWindowA("#32770", m_strCaption.c_str());
  if (!hwndBox || !IsWindowVisible(hwndBox))
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
        HWND hwndBox = FindWindowA("#32770", "Fatal Error");
        if (hwndBox && IsWindowVisible(hwndBox))
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
