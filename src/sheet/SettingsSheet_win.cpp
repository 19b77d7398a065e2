#include "SettingsSheet_win.h"

#include "CommunicationPropertyPage_win.h"
#include "DataEditingPropertyPage_win.h"
#include "InitPropertyPage_win.h"
#include "KeyboardPropertyPage_win.h"
#include "LogPropertyPage_win.h"
#include "SettingsSheetPages.h"
#include "WindowPropertyPage_win.h"
#include "settings/QuilbarProfile.h"

#include <commctrl.h>

CSettingsSheet::CSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage, const std::string& strStoredPassword,
                               PasswordKdf& kdf, DataEditingOpeners openers)
    : m_profileCopy(profileCopy),
      m_pWorking(std::make_unique<QuilbarProfile>(profileCopy)),
      m_nStartPage(SettingsSheetPages::startPage(nStartPage)),
      m_state(*m_pWorking, strStoredPassword, std::move(openers), kdf)
{
  m_state.nActivePage = m_nStartPage;
  m_rgpPages.push_back(std::make_unique<CCommunicationPropertyPage>(m_state));
  m_rgpPages.push_back(std::make_unique<CKeyboardPropertyPage>(m_state));
  m_rgpPages.push_back(std::make_unique<CWindowPropertyPage>(m_state));
  m_rgpPages.push_back(std::make_unique<CInitPropertyPage>(m_state));
  m_rgpPages.push_back(std::make_unique<CLogPropertyPage>(m_state));
  m_rgpPages.push_back(std::make_unique<CDataEditingPropertyPage>(m_state));
}

CSettingsSheet::~CSettingsSheet() = default;

// The pages edit a working copy: whoever passed the profile finds it untouched after Cancel,
// even when a page had stored its values into the copy already.
SettingsSheetOutcome CSettingsSheet::run(HWND hwndOwner)
{
  // The pages' spin controls are common controls; registering their classes again is harmless.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<PROPSHEETPAGEA> rgPages;
  for (const std::unique_ptr<CSettingsPage>& pPage : m_rgpPages)
    rgPages.push_back(pPage->pageDescription());

  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
  header.hwndParent = hwndOwner;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = SettingsSheetPages::kszCaption;
  header.nPages = static_cast<UINT>(rgPages.size());
  header.nStartPage = m_nStartPage;
  header.ppsp = rgPages.data();

  SettingsSheetOutcome outcome;
  outcome.nActivePage = m_nStartPage;
  outcome.strPassword = m_state.strPassword;
  INT_PTR nResult = PropertySheetA(&header);
  if (nResult <= 0)
    return outcome;
  m_profileCopy = *m_pWorking;
  outcome.fOk = true;
  outcome.nActivePage = m_state.nActivePage;
  outcome.strPassword = m_state.strPassword;
  return outcome;
}
