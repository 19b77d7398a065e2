#include "DialogBase_win.h"

#include "Assert.h"

#include <vector>

namespace
{
CDialogBase::HelpHandler s_pfnHelpHandler = nullptr;
void* s_pHelpContext = nullptr;
}

CDialogBase::CDialogBase(int nTemplateId, HINSTANCE hInstance)
  : m_nTemplateId(nTemplateId), m_hInstance(hInstance != nullptr ? hInstance : GetModuleHandleA(nullptr))
{
}

INT_PTR CDialogBase::runModal(HWND hwndParent)
{
  return DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(m_nTemplateId), hwndParent, &CDialogBase::dialogProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND CDialogBase::createModeless(HWND hwndParent)
{
  return CreateDialogParamA(m_hInstance, MAKEINTRESOURCEA(m_nTemplateId), hwndParent, &CDialogBase::dialogProc,
                            reinterpret_cast<LPARAM>(this));
}

CDialogBase* CDialogBase::fromWindow(HWND hwnd)
{
  return reinterpret_cast<CDialogBase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

// Set once by the program's main window before any dialog runs and cleared when it goes, on the
// same thread as every dialog, so no lock is needed.
void CDialogBase::setHelpHandler(HelpHandler pfnHandler, void* pContext)
{
  s_pfnHelpHandler = pfnHandler;
  s_pHelpContext = pContext;
}

// WM_HELP reaches the dialog from the focused control, whose default handling passes it up, so
// one handler here serves every control of every dialog and page.
bool CDialogBase::requestHelp()
{
  if (s_pfnHelpHandler == nullptr)
    return false;
  s_pfnHelpHandler(m_hwnd, m_nTemplateId, s_pHelpContext);
  return true;
}

void CDialogBase::attach(HWND hwnd)
{
  m_hwnd = hwnd;
  SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

// Messages before WM_INITDIALOG (WM_SETFONT among them) find no object yet and get the default
// handling; at WM_NCDESTROY the object is detached (see dispatch).
INT_PTR CALLBACK CDialogBase::dialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_INITDIALOG)
  {
    auto* pDialog = reinterpret_cast<CDialogBase*>(lParam);
    QB_ASSERT(NULL != pDialog);
    pDialog->attach(hwnd);
    return pDialog->onInit() ? TRUE : FALSE;
  }
  CDialogBase* pDialog = fromWindow(hwnd);
  return pDialog != nullptr ? pDialog->dispatch(uMsg, wParam, lParam) : FALSE;
}

INT_PTR CDialogBase::dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  if (uMsg == WM_NCDESTROY)
  {
    bool fHandled = false;
    INT_PTR nResult = onMessage(uMsg, wParam, lParam, fHandled);
    SetWindowLongPtrA(m_hwnd, DWLP_USER, 0);
    m_hwnd = nullptr;
    return fHandled ? nResult : FALSE;
  }
  switch (uMsg)
  {
  case WM_COMMAND:
    return dispatchCommand(wParam, lParam);
  case WM_NOTIFY:
  {
    LRESULT lResult = 0;
    if (!onNotify(*reinterpret_cast<const NMHDR*>(lParam), lResult))
      return FALSE;
    SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, lResult);
    return TRUE;
  }
  default:
  {
    bool fHandled = false;
    INT_PTR nResult = onMessage(uMsg, wParam, lParam, fHandled);
    if (!fHandled && uMsg == WM_HELP)
      return requestHelp() ? TRUE : FALSE;
    return fHandled ? nResult : FALSE;
  }
  }
}

INT_PTR CDialogBase::dispatchCommand(WPARAM wParam, LPARAM lParam)
{
  int nId = LOWORD(wParam);
  int nCode = HIWORD(wParam);
  if (onCommand(nId, nCode, reinterpret_cast<HWND>(lParam)))
    return TRUE;
  if (nId == IDOK && nCode == BN_CLICKED)
  {
    onOk();
    return TRUE;
  }
  if (nId == IDCANCEL && nCode == BN_CLICKED)
  {
    onCancel();
    return TRUE;
  }
  return FALSE;
}

void CDialogBase::endDialog(INT_PTR nResult)
{
  EndDialog(m_hwnd, nResult);
}

std::string CDialogBase::itemText(int nId) const
{
  HWND hwndItem = item(nId);
  int nLength = hwndItem != nullptr ? GetWindowTextLengthA(hwndItem) : 0;
  if (nLength <= 0)
    return std::string();
  std::vector<char> rgchText(static_cast<size_t>(nLength) + 1, '\0');
  int nCopied = GetWindowTextA(hwndItem, rgchText.data(), nLength + 1);
  return std::string(rgchText.data(), nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
}

void CDialogBase::setItemText(int nId, const std::string& strText)
{
  SetDlgItemTextA(m_hwnd, nId, strText.c_str());
}

bool CDialogBase::isChecked(int nId) const
{
  return IsDlgButtonChecked(m_hwnd, nId) == BST_CHECKED;
}

void CDialogBase::setChecked(int nId, bool fChecked)
{
  CheckDlgButton(m_hwnd, nId, fChecked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogBase::enableItem(int nId, bool fEnabled)
{
  EnableWindow(item(nId), fEnabled ? TRUE : FALSE);
}

void CDialogBase::focusItem(int nId)
{
  SendMessageA(m_hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(nId)), TRUE);
}

int CDialogBase::messageBox(const std::string& strText, const std::string& strCaption, UINT uType) const
{
  return MessageBoxA(m_hwnd, strText.c_str(), strCaption.c_str(), uType);
}
