#include "TrayNotices_win.h"

#include "ResourceIds.h"
#include "base/Assert.h"

UniqueIcon loadProgramIcon(int nId, int nSize)
{
  return UniqueIcon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nId), IMAGE_ICON, nSize, nSize, LR_DEFAULTCOLOR)));
}

TrayNotices::TrayNotices()
    : m_hIconNoData(loadProgramIcon(IDI_TRAY_NODATA, GetSystemMetrics(SM_CXSMICON))),
      m_hIconData1(loadProgramIcon(IDI_TRAY_DATA1, GetSystemMetrics(SM_CXSMICON))),
      m_hIconData2(loadProgramIcon(IDI_TRAY_DATA2, GetSystemMetrics(SM_CXSMICON))),
      m_hIconData3(loadProgramIcon(IDI_TRAY_DATA3, GetSystemMetrics(SM_CXSMICON))),
      m_hIconFailed(loadProgramIcon(IDI_TRAY_FAILED, GetSystemMetrics(SM_CXSMICON)))
{
  QB_ASSERT(NULL != m_hIconNoData.get());
  QB_ASSERT(NULL != m_hIconData1.get());
  QB_ASSERT(NULL != m_hIconData2.get());
  QB_ASSERT(NULL != m_hIconData3.get());
  QB_ASSERT(NULL != m_hIconFailed.get());
}

void TrayNotices::attach(HWND hwndOwner, UINT uCallbackMessage)
{
  m_pTray = std::make_unique<CTrayIcon>(hwndOwner, uCallbackMessage);
  m_display = TrayDisplay::idle(nullptr);
  QB_ASSERT(!m_display.strTip.empty());
  m_pTray->add(m_hIconNoData.get(), m_display.strTip);
  // Explorer broadcasts this when the task bar is created anew; the icon must then be added again.
  m_uTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
}

void TrayNotices::remove()
{
  if (m_pTray)
    m_pTray->remove();
}

// Output that was not typed keeps its tip through the data states that follow, until a string
// is delivered.
void TrayNotices::show(const TrayDisplay& display)
{
  m_display = display;
  if (!m_pTray)
    return;
  TrayDisplay shown = display.withNotTyped(m_strNotTyped);
  m_pTray->show(iconOf(shown.nIconId), shown.strTip);
}

void TrayNotices::showIdle(const std::string& strTip)
{
  TrayDisplay display = TrayDisplay::idle(nullptr);
  display.strTip = strTip;
  show(display);
}

void TrayNotices::showFailed(const std::string& strTip)
{
  show(TrayDisplay::failure(strTip));
}

// Another program can post this message too: a state no thread of this program posts is ignored
// rather than taken for a programming error.
void TrayNotices::showState(WPARAM wParam, const QuilbarProfile* pCurrentProfile)
{
  TrayDisplay display;
  if (wParam <= 3 && TrayDisplay::forState(static_cast<unsigned>(wParam), pCurrentProfile, display))
    show(display);
}

bool TrayNotices::onTaskbarMessage(UINT uMsg)
{
  if (uMsg == 0 || uMsg != m_uTaskbarCreated || !m_pTray)
    return false;
  m_pTray->readd();
  return true;
}

void TrayNotices::outputNotTyped(const std::string& strReason)
{
  m_strNotTyped = strReason.empty() ? "unknown reason" : strReason;
  show(m_display);
}

void TrayNotices::outputDelivered()
{
  if (m_strNotTyped.empty())
    return;
  m_strNotTyped.clear();
  show(m_display);
}

HICON TrayNotices::iconOf(int nIconId) const
{
  switch (nIconId)
  {
  case IDI_TRAY_DATA1:
    return m_hIconData1.get();
  case IDI_TRAY_DATA2:
    return m_hIconData2.get();
  case IDI_TRAY_DATA3:
    return m_hIconData3.get();
  case IDI_TRAY_FAILED:
    return m_hIconFailed.get();
  default:
    return m_hIconNoData.get();
  }
}
