#include "PropertyPageBase_win.h"

#include "Assert.h"

#include <cstring>

CPropertyPageBase::CPropertyPageBase(int nTemplateId, const char* pszTitle, HINSTANCE hInstance)
  : CDialogBase(nTemplateId, hInstance)
{
  std::memset(&m_page, 0, sizeof(m_page));
  m_page.dwSize = sizeof(m_page);
  m_page.dwFlags = PSP_DEFAULT | (pszTitle != nullptr ? PSP_USETITLE : 0);
  m_page.hInstance = hInstance != nullptr ? hInstance : GetModuleHandleA(nullptr);
  m_page.pszTemplate = MAKEINTRESOURCEA(nTemplateId);
  m_page.pszTitle = pszTitle;
  m_page.pfnDlgProc = &CPropertyPageBase::pageProc;
  m_page.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPageBase::pageProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_INITDIALOG)
  {
    // The sheet passes a copy of the page description; its lParam is the page object.
    auto* pDescription = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* pPage = reinterpret_cast<CPropertyPageBase*>(pDescription->lParam);
    QB_ASSERT(NULL != pPage);
    pPage->attach(hwnd);
    return pPage->onInit() ? TRUE : FALSE;
  }
  CDialogBase* pPage = fromWindow(hwnd);
  return pPage != nullptr ? static_cast<CPropertyPageBase*>(pPage)->dispatch(uMsg, wParam, lParam) : FALSE;
}

bool CPropertyPageBase::onNotify(const NMHDR& header, LRESULT& lResult)
{
  switch (header.code)
  {
  case PSN_SETACTIVE:
    onSetActive();
    lResult = 0;
    return true;
  case PSN_KILLACTIVE:
    lResult = onKillActive() ? FALSE : TRUE;  // TRUE keeps the page
    return true;
  case PSN_APPLY:
    onApply();
    lResult = PSNRET_NOERROR;
    return true;
  default:
    return onPageNotify(header, lResult);
  }
}
