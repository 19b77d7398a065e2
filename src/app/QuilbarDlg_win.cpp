#include "QuilbarDlg_win.h"

#include "MainWindowBox_win.h"
#include "ProgramPath_win.h"
#include "ResourceIds.h"
#include "TrayMenu_win.h"
#include "sheet/SettingsDialogs_win.h"
#include "base/Assert.h"
#include "serial/SerialMessages_win.h"
#include "settings/QuilbarProfile.h"

HWND hwndMain = nullptr;

namespace
{
const char kszBoxCaption[] = "Quilbar";
}  // namespace

// The seven messages of the subscriber protocol are registered here, in their order, by the data
// path; "Quilbar32.Startup" follows while the window initialises (by the port's life).
CQuilbarDlg::CQuilbarDlg(const char* pszCommandLine)
    : CDialogBase(IDD_QUILBAR_DIALOG),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_hSmallIcon(loadProgramIcon(IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON))),
      m_expressionSide(m_port, m_dataPath, m_form),
      m_dataPath(*this, m_expressionSide),
      m_autoStart(programShortPath),
      m_form(*this, m_dataPath.eventLog(), m_autoStart),
      m_heldData(m_dataPath.pipeline(), m_dataPath.eventLog(), m_tray),
      m_port(m_dataPath, m_form, m_tray, m_heldData)
{
  QB_ASSERT(NULL != m_hIcon);
  QB_ASSERT(NULL != pszCommandLine);
  m_form.setRequestedProfile(pszCommandLine);
  m_dataPath.pipeline().setOutputNotice(&m_tray);
}

CQuilbarDlg::~CQuilbarDlg()
{
  if (hwndMain == hwnd())
    hwndMain = nullptr;
}

bool CQuilbarDlg::onInit()
{
  SetLastError(0);
  SetWindowLongPtrA(hwnd(), GWLP_USERDATA, kMainWindowMark);
  QB_ASSERT(0 == GetLastError());
  m_port.attach(hwnd());
  m_profileBox.attach(item(IDC_MAIN_PROFILE));
  m_dataPath.attachWindow(hwnd(), m_port);
  PortOwner::runSelfTest();
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon.get()));
  m_tray.attach(hwnd(), WM_TRAYNOTIFY);
  m_heldData.start();
  hwndMain = hwnd();
  setHelpHandler(&CQuilbarDlg::showDialogHelp, this);
  if (!m_form.initialise())
    return true;
  m_dataPath.bindCapsLock();
  m_port.registerStartupMessage();
  return true;
}

bool CQuilbarDlg::onCommand(int nId, int nCode, HWND)
{
  switch (nId)
  {
  case IDC_MAIN_HIDE:
    if (nCode == BN_CLICKED)
      onHide();
    return true;
  case IDC_MAIN_SETTINGS:
    if (nCode == BN_CLICKED)
      m_form.onSettings();
    return true;
  case IDC_MAIN_DELETE:
    if (nCode == BN_CLICKED)
      m_form.onDeleteProfile();
    return true;
  case IDC_MAIN_PROFILE:
    onProfileCommand(nCode);
    return true;
  default:
    return false;
  }
}

// While the list is filled or a name is shown, the box's own notifications are not the user's.
void CQuilbarDlg::onProfileCommand(int nCode)
{
  // While the ending dialog is taken down, the profile box loses its edit field and then the
  // focus: an empty box then is no name the user typed, and a box about it would never be answered.
  if (isFilling() || m_fEnding)
    return;
  switch (nCode)
  {
  case CBN_SELCHANGE:
  {
    std::string strName;
    if (m_profileBox.selectedName(strName))
      m_form.onProfileSelChange(strName);
    break;
  }
  case CBN_EDITCHANGE:
    m_form.onProfileEditChange();
    break;
  case CBN_SETFOCUS:
    m_form.updateDeleteButton();
    break;
  case CBN_KILLFOCUS:
    m_form.onProfileKillFocus();
    break;
  default:
    break;
  }
}

void CQuilbarDlg::onOk()
{
  if (!m_form.onUnload())
    return;
  m_fEnding = true;
  endDialog(IDOK);
}

// Escape and the close box come here too: they hide the window and never end the program.
void CQuilbarDlg::onCancel()
{
  onHide();
}

void CQuilbarDlg::onHide()
{
  ShowWindow(hwnd(), SW_HIDE);
}

INT_PTR CQuilbarDlg::onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled)
{
  fHandled = true;
  switch (uMsg)
  {
  case WM_PAINT:
    onPaint();
    return TRUE;
  case WM_QUERYDRAGICON:
    return reinterpret_cast<INT_PTR>(m_hIcon);
  case WM_DESTROY:
    onDestroy();
    fHandled = false;
    return FALSE;
  case WM_SETTRAYSTATE:
    m_tray.showState(wParam, m_form.currentProfile());
    return TRUE;
  case WM_DATASTRING:
    for (const std::string& strData : m_dataPath.takeDataStrings(lParam))
      m_heldData.submit(strData);
    return TRUE;
  case WM_TRAYNOTIFY:
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, onTrayNotify(lParam));
    return TRUE;
  case WM_WINDOWPOSCHANGING:
    // The dialog manager shows a modal dialog once its queue first runs empty, after the first
    // paint has hidden it.
    if (m_fKeepHidden)
      reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    fHandled = false;
    return FALSE;
  case WM_HELP:
    m_help.show(mainWindowBoxOwner(hwnd()), HelpRequest::forContext(templateId()));
    return TRUE;
  case WM_PORTFAILED:
    m_port.onPortFailed(wParam, lParam);
    return TRUE;
  case WM_THREADEVENTS:
    m_port.sendThreadEvents();
    return TRUE;
  case WM_TIMER:
    if (m_port.onTimer(wParam))
      return TRUE;
    break;
  case WM_POWERBROADCAST:
    if (wParam == PBT_APMRESUMEAUTOMATIC)
      m_port.onResume();
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
  default:
    break;
  }
  if (m_port.onStartupMessage(uMsg) || m_tray.onTaskbarMessage(uMsg))
    return TRUE;
  // The protocol's messages go on to the default processing after their handling, but for an
  // injection: its sender learns whether the text was taken.
  LRESULT lAnswer = FALSE;
  if (m_dataPath.handleProtocolMessage(uMsg, wParam, lParam, lAnswer))
  {
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, lAnswer);
    return TRUE;
  }
  fHandled = false;
  return FALSE;
}

void CQuilbarDlg::onPaint()
{
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd(), &ps);
  bool fIconic = IsIconic(hwnd()) != FALSE;
  if (fIconic)
  {
    SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    RECT rect;
    GetClientRect(hwnd(), &rect);
    int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(hdc, x, y, m_hIcon);
  }
  EndPaint(hwnd(), &ps);
  if (!fIconic && m_fFirstPaint)
    onFirstPaint();
}

// The port opens only once the window has been created and painted, so a port error shows over
// the running program.
void CQuilbarDlg::onFirstPaint()
{
  m_fFirstPaint = false;
  if (m_fQuitting || !m_port.hasStartupMessage())
    return;
  const QuilbarProfile* pProfile = m_form.currentProfile();
  if (pProfile != nullptr && pProfile->getHideOnStartup() == 1)
  {
    m_fKeepHidden = true;
    ShowWindow(hwnd(), SW_HIDE);
  }
  m_port.postStartupMessage();
}

// Every dialog of the program asks here for the help topic of its template.
void CQuilbarDlg::showDialogHelp(HWND hwndDialog, int nContextId, void* pContext)
{
  static_cast<CQuilbarDlg*>(pContext)->m_help.show(hwndDialog, HelpRequest::forContext(nContextId));
}

void CQuilbarDlg::onDestroy()
{
  setHelpHandler(nullptr, nullptr);
  m_port.stop();
  m_heldData.stop();
  m_dataPath.unbindCapsLock();
  m_help.closeAll();
  m_tray.remove();
}

// A left click shows the window; the right button, once released, opens the tray menu.
LRESULT CQuilbarDlg::onTrayNotify(LPARAM lParam)
{
  switch (static_cast<UINT>(lParam))
  {
  case WM_LBUTTONDOWN:
    showFromTray();
    return 1;
  case WM_RBUTTONUP:
    onTrayMenu();
    return 1;
  default:
    return 0;
  }
}

void CQuilbarDlg::showFromTray()
{
  m_fKeepHidden = false;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

// The menu's commands go to the handlers of the window's own controls, with their checks (the
// settings password, Unload's questions).
void CQuilbarDlg::onTrayMenu()
{
  int nCommand = TrayMenu::choose(hwnd(), IsWindowEnabled(item(IDC_MAIN_SETTINGS)) != FALSE);
  std::string strError;
  switch (nCommand)
  {
  case TrayMenu::knOpen:
    showFromTray();
    break;
  case TrayMenu::knMonitor:
    if (!TrayMenu::startMonitor(strError))
      showMessageBox(strError, kszBoxCaption, MB_OK | MB_ICONSTOP);
    break;
  case IDC_MAIN_SETTINGS:
    m_form.onSettings();
    break;
  case IDC_MAIN_HIDE:
    onHide();
    break;
  case IDOK:
    onOk();
    break;
  default:
    break;
  }
}

// ---- MainWindowHost -----------------------------------------------------------------------------

std::string CQuilbarDlg::profileBoxText()
{
  return itemText(IDC_MAIN_PROFILE);
}

void CQuilbarDlg::showProfileBoxText(const std::string& strText)
{
  FillGuard guard(*this);
  m_profileBox.show(strText);
}

void CQuilbarDlg::fillProfileList(const std::vector<std::string>& rgstrNames)
{
  FillGuard guard(*this);
  m_profileBox.fill(rgstrNames);
}

void CQuilbarDlg::enableDeleteButton(bool fEnabled)
{
  enableItem(IDC_MAIN_DELETE, fEnabled);
}

void CQuilbarDlg::enableSettingsButton(bool fEnabled)
{
  enableItem(IDC_MAIN_SETTINGS, fEnabled);
}

void CQuilbarDlg::allowNewProfileNames(bool fAllowed)
{
  m_profileBox.allowTyping(fAllowed);
}

void CQuilbarDlg::focusProfileBox()
{
  focusItem(IDC_MAIN_PROFILE);
}

void CQuilbarDlg::focusHideButton()
{
  focusItem(IDC_MAIN_HIDE);
}

void CQuilbarDlg::repaint()
{
  InvalidateRect(hwnd(), nullptr, TRUE);
  UpdateWindow(hwnd());
}

void CQuilbarDlg::showBox(MainWindowBox box, const std::string& strText)
{
  showMainWindowBox(hwnd(), box, strText);
}

bool CQuilbarDlg::confirm(const std::string& strText)
{
  return showMessageBox(strText, kszBoxCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool CQuilbarDlg::checkSettingsPassword(const std::string& strStoredPassword)
{
  return ::checkSettingsPassword(hwnd(), strStoredPassword);
}

SettingsSheetResult CQuilbarDlg::runSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage,
                                                  const std::string& strStoredPassword, const SettingsPolicy& policy)
{
  SettingsSheetOutcome outcome = ::runSettingsSheet(hwnd(), profileCopy, nStartPage, strStoredPassword, &policy);
  SettingsSheetResult result;
  result.fOk = outcome.fOk;
  result.nActivePage = outcome.nActivePage;
  result.strPassword = outcome.strPassword;
  return result;
}

int CQuilbarDlg::showMessageBox(const std::string& strText, const char* pszCaption, UINT uType) const
{
  return showMainWindowBox(hwnd(), strText, pszCaption, uType);
}

void CQuilbarDlg::postQuit()
{
  m_fQuitting = true;
  PostQuitMessage(0);
}

// ---- ProfileSwitcher ----------------------------------------------------------------------------

std::vector<std::string> CQuilbarDlg::getProfileNames() const
{
  return m_profileBox.names();
}

// The request may differ from the entry in letter case; the switch takes the entry, as a pick of
// the user would.
void CQuilbarDlg::switchToProfile(size_t nIndex, const std::string& strName)
{
  std::vector<std::string> rgstrNames = getProfileNames();
  {
    FillGuard guard(*this);
    m_profileBox.select(nIndex);
  }
  m_form.switchToPendingProfile(nIndex < rgstrNames.size() ? rgstrNames[nIndex] : strName);
}
