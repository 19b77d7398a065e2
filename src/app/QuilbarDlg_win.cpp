#include "QuilbarDlg_win.h"

#include "ProgramPath_win.h"
#include "ResourceIds.h"
#include "sheet/SettingsDialogs_win.h"
#include "base/Assert.h"
#include "base/SystemError_win.h"
#include "serial/SerialMessages_win.h"
#include "settings/QuilbarProfile.h"

HWND hwndMain = nullptr;

namespace
{
const UINT_PTR kidPortRetryTimer = 1;
const char kszBoxCaption[] = "Quilbar";
const char kszStartupMessage[] = "Quilbar32.Startup";
}  // namespace

// The seven messages of the subscriber protocol are registered here, in their order, by the data
// path; "Quilbar32.Startup" follows while the window initialises.
CQuilbarDlg::CQuilbarDlg(const char* pszCommandLine)
    : CDialogBase(IDD_QUILBAR_DIALOG),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_hSmallIcon(loadIcon(IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON))),
      m_hTrayIconNoData(loadIcon(IDI_TRAY_NODATA, GetSystemMetrics(SM_CXSMICON))),
      m_hTrayIconData1(loadIcon(IDI_TRAY_DATA1, GetSystemMetrics(SM_CXSMICON))),
      m_hTrayIconData2(loadIcon(IDI_TRAY_DATA2, GetSystemMetrics(SM_CXSMICON))),
      m_hTrayIconData3(loadIcon(IDI_TRAY_DATA3, GetSystemMetrics(SM_CXSMICON))),
      m_hTrayIconFailed(loadIcon(IDI_TRAY_FAILED, GetSystemMetrics(SM_CXSMICON))),
      m_expressionSide(*this),
      m_dataPath(*this, m_expressionSide),
      m_autoStart(programShortPath),
      m_form(*this, m_dataPath.eventLog(), m_autoStart),
      m_hold(m_foregroundWindow, m_dataPath.eventLog(), *this)
{
  QB_ASSERT(NULL != m_hIcon);
  QB_ASSERT(NULL != m_hTrayIconNoData.get());
  QB_ASSERT(NULL != m_hTrayIconData1.get());
  QB_ASSERT(NULL != m_hTrayIconData2.get());
  QB_ASSERT(NULL != m_hTrayIconData3.get());
  QB_ASSERT(NULL != m_hTrayIconFailed.get());
  QB_ASSERT(NULL != pszCommandLine);
  m_form.setRequestedProfile(pszCommandLine);
  m_dataPath.pipeline().setOutputNotice(this);
}

CQuilbarDlg::~CQuilbarDlg()
{
  if (hwndMain == hwnd())
    hwndMain = nullptr;
}

// Each icon at the size it is shown, so the small ones are drawn from their own pixels rather
// than shrunk.
UniqueIcon CQuilbarDlg::loadIcon(int nId, int nSize) const
{
  return UniqueIcon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nId), IMAGE_ICON, nSize, nSize, LR_DEFAULTCOLOR)));
}

bool CQuilbarDlg::onInit()
{
  SetLastError(0);
  SetWindowLongPtrA(hwnd(), GWLP_USERDATA, kMainWindowMark);
  QB_ASSERT(0 == GetLastError());
  m_dataPath.attachWindow(hwnd(), *this);
  PortOwner::runSelfTest();
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon.get()));
  m_pTray = std::make_unique<CTrayIcon>(hwnd(), WM_TRAYNOTIFY);
  m_trayDisplay = TrayDisplay::idle(nullptr);
  QB_ASSERT(!m_trayDisplay.strTip.empty());
  m_pTray->add(m_hTrayIconNoData.get(), m_trayDisplay.strTip);
  m_pHeldDataPump = std::make_unique<HeldDataPump>(m_hold);
  hwndMain = hwnd();
  setHelpHandler(&CQuilbarDlg::showDialogHelp, this);
  if (!m_form.initialise())
    return true;
  m_dataPath.bindCapsLock();
  m_uStartupMessage = RegisterWindowMessageA(kszStartupMessage);
  QB_ASSERT(0 != m_uStartupMessage);
  // Explorer broadcasts this when the task bar is created anew; the icon must then be added again.
  m_uTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
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
    // The edit field still shows the old text while the selection changes: the entry counts.
    LRESULT nIndex = SendMessageA(item(IDC_MAIN_PROFILE), CB_GETCURSEL, 0, 0);
    std::vector<std::string> rgstrNames = getProfileNames();
    if (nIndex >= 0 && static_cast<size_t>(nIndex) < rgstrNames.size())
      m_form.onProfileSelChange(rgstrNames[static_cast<size_t>(nIndex)]);
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
    onSetTrayState(wParam);
    return TRUE;
  case WM_DATASTRING:
    for (const std::string& strData : m_dataPath.takeDataStrings(lParam))
      submitDataString(strData);
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
    m_help.show(boxOwner(), HelpRequest::forContext(templateId()));
    return TRUE;
  case WM_PORTFAILED:
    onPortFailed(static_cast<DWORD>(wParam));
    return TRUE;
  case WM_TIMER:
    if (wParam != kidPortRetryTimer)
      break;
    reopenQuietly();
    return TRUE;
  case WM_POWERBROADCAST:
    if (wParam == PBT_APMRESUMEAUTOMATIC)
      onResume();
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
  default:
    break;
  }
  if (uMsg != 0 && uMsg == m_uStartupMessage)
  {
    OpenPort();
    return TRUE;
  }
  if (uMsg != 0 && uMsg == m_uTaskbarCreated)
  {
    m_pTray->readd();
    return TRUE;
  }
  // The protocol's messages go on to the default processing after their handling.
  m_dataPath.handleProtocolMessage(uMsg, wParam, lParam);
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
  if (m_fQuitting || m_uStartupMessage == 0)
    return;
  const QuilbarProfile* pProfile = m_form.currentProfile();
  if (pProfile != nullptr && pProfile->getHideOnStartup() == 1)
  {
    m_fKeepHidden = true;
    ShowWindow(hwnd(), SW_HIDE);
  }
  PostMessageA(hwnd(), m_uStartupMessage, 0, 0);
}

// Every dialog of the program asks here for the help topic of its template.
void CQuilbarDlg::showDialogHelp(HWND hwndDialog, int nContextId, void* pContext)
{
  static_cast<CQuilbarDlg*>(pContext)->m_help.show(hwndDialog, HelpRequest::forContext(nContextId));
}

void CQuilbarDlg::onDestroy()
{
  setHelpHandler(nullptr, nullptr);
  ClosePort();
  KillTimer(hwnd(), kidPortRetryTimer);
  m_pHeldDataPump.reset();
  m_dataPath.unbindCapsLock();
  m_help.closeAll();
  if (m_pTray)
    m_pTray->remove();
}

// Another program can post this message too: a state no thread of this program posts is ignored
// rather than taken for a programming error.
void CQuilbarDlg::onSetTrayState(WPARAM wParam)
{
  TrayDisplay display;
  if (wParam <= 3 && TrayDisplay::forState(static_cast<unsigned>(wParam), m_form.currentProfile(), display))
    showTray(display);
}

LRESULT CQuilbarDlg::onTrayNotify(LPARAM lParam)
{
  if (static_cast<UINT>(lParam) != WM_LBUTTONDOWN)
    return 0;
  m_fKeepHidden = false;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
  return 1;
}

HICON CQuilbarDlg::trayIconOf(int nIconId) const
{
  switch (nIconId)
  {
  case IDI_TRAY_DATA1:
    return m_hTrayIconData1.get();
  case IDI_TRAY_DATA2:
    return m_hTrayIconData2.get();
  case IDI_TRAY_DATA3:
    return m_hTrayIconData3.get();
  case IDI_TRAY_FAILED:
    return m_hTrayIconFailed.get();
  default:
    return m_hTrayIconNoData.get();
  }
}

// Every change of the tray icon passes here. Output that was not typed keeps its tip through
// the data states that follow, until a string is delivered.
void CQuilbarDlg::showTray(const TrayDisplay& display)
{
  m_trayDisplay = display;
  if (!m_pTray)
    return;
  TrayDisplay shown = display.withNotTyped(m_strNotTyped);
  m_pTray->show(trayIconOf(shown.nIconId), shown.strTip);
}

// Through the hold for a locked window while the pump exists (from initialisation to
// destruction), which passes the string on to the pipeline at once when it need not wait.
void CQuilbarDlg::submitDataString(const std::string& strData)
{
  if (m_pHeldDataPump)
    m_pHeldDataPump->submit(strData);
  else
    m_dataPath.pipeline().processInputString(strData.c_str());
}

// Opened on purpose (start-up, a profile switch, the settings sheet, an output expression): a
// port being retried is no longer, and a failure is shown as always.
bool CQuilbarDlg::OpenPort()
{
  stopRetrying();
  return openRunningPort();
}

void CQuilbarDlg::ClosePort()
{
  stopRetrying();
  m_dataPath.closePort();
}

// The hold takes the profile's lock and hold settings after the pipeline took the profile: when
// holding stops, the strings held go on through the pipeline with the new profile's lock.
bool CQuilbarDlg::openRunningPort()
{
  QuilbarProfile* pProfile = m_form.currentProfile();
  if (pProfile == nullptr)
    return false;
  bool fOpen = m_dataPath.openPort(*pProfile);
  pProfile = m_form.currentProfile();
  if (m_pHeldDataPump && pProfile != nullptr)
    m_pHeldDataPump->setSettings(pProfile->getLockOutputWindow() == 1, pProfile->getTitles(),
                                 pProfile->getHoldForLockedWindow() == 1, pProfile->getHoldTimeLimit());
  if (fOpen && m_portRecovery.opened())
  {
    KillTimer(hwnd(), kidPortRetryTimer);
    logPortEvent(PortRecovery::kszEventBack, PortRecovery::backDetails(runningPortName()));
  }
  return fOpen;
}

// Every two seconds while the port is gone, and once after a resume. A port that does not open
// shows no box: the tray tip already says the device is gone, and the next try comes by itself.
bool CQuilbarDlg::reopenQuietly()
{
  m_fQuietOpen = true;
  bool fOpen = openRunningPort();
  m_fQuietOpen = false;
  return fOpen;
}

void CQuilbarDlg::stopRetrying()
{
  KillTimer(hwnd(), kidPortRetryTimer);
  m_portRecovery.closed();
}

// Posted by the communication thread, which goes on polling the dead handle until the port is
// closed here. Strings it had cut are already handed to this window or kept by the port owner.
void CQuilbarDlg::onPortFailed(DWORD dwError)
{
  if (!m_portRecovery.lost())
    return;
  m_dataPath.closePort();
  reportPortGone(systemErrorText(dwError));
}

void CQuilbarDlg::reportPortGone(const std::string& strError)
{
  std::string strPort = runningPortName();
  showTray(TrayDisplay::failure(PortRecovery::goneTip(strPort)));
  logPortEvent(PortRecovery::kszEventGone, PortRecovery::goneDetails(strPort, strError));
  SetTimer(hwnd(), kidPortRetryTimer, PortRecovery::kuRetryMs, nullptr);
}

// After sleep a USB-serial or Bluetooth port may be a dead handle that still answers, and a
// device powered from the bus has forgotten its initialisation string: the port is opened afresh.
// One that does not open is gone, and retried like a pulled adapter.
void CQuilbarDlg::onResume()
{
  if (!m_portRecovery.wantsReopenOnResume())
    return;
  logPortEvent(PortRecovery::kszEventResume, PortRecovery::backDetails(runningPortName()));
  m_dataPath.closePort();
  if (!reopenQuietly() && m_portRecovery.lost())
    reportPortGone("The port could not be opened again after the computer resumed.");
}

std::string CQuilbarDlg::runningPortName()
{
  const QuilbarProfile* pProfile = m_form.currentProfile();
  return pProfile != nullptr ? pProfile->getPort() : std::string();
}

void CQuilbarDlg::logPortEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails)
{
  EventLog& log = m_dataPath.eventLog();
  if (log.isEventOutputWanted())
    log.logEvent(strEvent, rgstrDetails);
}

// ---- MainWindowHost -----------------------------------------------------------------------------

std::string CQuilbarDlg::profileBoxText()
{
  return itemText(IDC_MAIN_PROFILE);
}

// A name that is an entry of the list (exactly, letter case included) is shown selected.
void CQuilbarDlg::showProfileBoxText(const std::string& strText)
{
  FillGuard guard(*this);
  HWND hwndCombo = item(IDC_MAIN_PROFILE);
  std::vector<std::string> rgstrNames = getProfileNames();
  LRESULT nIndex = CB_ERR;
  for (size_t i = 0; i < rgstrNames.size(); ++i)
  {
    if (rgstrNames[i] == strText)
      nIndex = static_cast<LRESULT>(i);
  }
  SendMessageA(hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
  if (nIndex == CB_ERR)
    SetWindowTextA(hwndCombo, strText.c_str());
  DWORD dwEnd = static_cast<DWORD>(strText.size());
  SendMessageA(hwndCombo, CB_SETEDITSEL, 0, MAKELPARAM(dwEnd, dwEnd));
}

void CQuilbarDlg::fillProfileList(const std::vector<std::string>& rgstrNames)
{
  FillGuard guard(*this);
  HWND hwndCombo = item(IDC_MAIN_PROFILE);
  SendMessageA(hwndCombo, CB_RESETCONTENT, 0, 0);
  for (const std::string& strName : rgstrNames)
    SendMessageA(hwndCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strName.c_str()));
}

void CQuilbarDlg::enableDeleteButton(bool fEnabled)
{
  enableItem(IDC_MAIN_DELETE, fEnabled);
}

void CQuilbarDlg::enableSettingsButton(bool fEnabled)
{
  enableItem(IDC_MAIN_SETTINGS, fEnabled);
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
  switch (box)
  {
  case MainWindowBox::kSettingsUnreadable:
    showMessageBox(strText, kszBoxCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND | MB_TOPMOST);
    break;
  case MainWindowBox::kProfileMissing:
    showMessageBox(strText, kszBoxCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
    break;
  case MainWindowBox::kProfileNameTooShort:
    showMessageBox(strText, MainWindowForm::kszProfileNameTooShortCaption, MB_OK | MB_ICONEXCLAMATION);
    break;
  }
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
                                                  const std::string& strStoredPassword)
{
  SettingsSheetOutcome outcome = ::runSettingsSheet(hwnd(), profileCopy, nStartPage, strStoredPassword);
  SettingsSheetResult result;
  result.fOk = outcome.fOk;
  result.nActivePage = outcome.nActivePage;
  result.strPassword = outcome.strPassword;
  return result;
}

// While the window is hidden its boxes belong to no window: a box owned by the hidden window
// would hand the activation back to it when it closes, and keystrokes are never typed while the
// program's own window is in front. The box is modal to the thread all the same.
HWND CQuilbarDlg::boxOwner() const
{
  return IsWindowVisible(hwnd()) ? hwnd() : nullptr;
}

int CQuilbarDlg::showMessageBox(const std::string& strText, const char* pszCaption, UINT uType) const
{
  HWND hwndOwner = boxOwner();
  return MessageBoxA(hwndOwner, strText.c_str(), pszCaption, uType | (hwndOwner == nullptr ? MB_TASKMODAL : 0));
}

void CQuilbarDlg::postQuit()
{
  m_fQuitting = true;
  PostQuitMessage(0);
}

// ---- PortHost -----------------------------------------------------------------------------------

void CQuilbarDlg::showError(const std::string& strText)
{
  if (m_fQuietOpen)
    return;
  showMessageBox(strText, kszBoxCaption, MB_OK | MB_ICONSTOP);
}

// Called on the communication thread: the box belongs to no window of the main thread.
void CQuilbarDlg::showNotice(const std::string& strText)
{
  MessageBoxA(nullptr, strText.c_str(), kszBoxCaption, MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
}

void CQuilbarDlg::showTrayIdle(const std::string& strTip)
{
  TrayDisplay display = TrayDisplay::idle(nullptr);
  display.strTip = strTip;
  showTray(display);
}

// While the port is being opened again by itself, the tip keeps saying that the device is gone.
void CQuilbarDlg::showTrayFailed(const std::string& strTip)
{
  if (m_fQuietOpen)
    return;
  showTray(TrayDisplay::failure(strTip));
}

void CQuilbarDlg::logRawInput(const std::string& strRaw)
{
  m_dataPath.eventLog().logRawInput(strRaw);
}

// The monitor list belongs to this window's thread; from the communication thread the event goes
// to the log file only.
void CQuilbarDlg::logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails)
{
  if (GetWindowThreadProcessId(hwnd(), nullptr) == GetCurrentThreadId())
    m_dataPath.eventLog().logEvent(strEvent, rgstrDetails);
  else
    m_dataPath.eventLog().logFileEvent(strEvent, rgstrDetails);
}

// On the communication thread, which must not be waited for from here: the window closes the
// port and starts retrying on its own thread.
void CQuilbarDlg::portFailed(uint32_t dwError)
{
  PostMessageA(hwnd(), WM_PORTFAILED, static_cast<WPARAM>(dwError), 0);
}

// ---- ProfileSwitcher ----------------------------------------------------------------------------

std::vector<std::string> CQuilbarDlg::getProfileNames() const
{
  std::vector<std::string> rgstrNames;
  HWND hwndCombo = item(IDC_MAIN_PROFILE);
  LRESULT nCount = SendMessageA(hwndCombo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < nCount; ++i)
  {
    LRESULT nLength = SendMessageA(hwndCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<char> rgchName(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
    SendMessageA(hwndCombo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rgchName.data()));
    rgstrNames.emplace_back(rgchName.data());
  }
  return rgstrNames;
}

// The request may differ from the entry in letter case; the switch takes the entry, as a pick of
// the user would.
void CQuilbarDlg::switchToProfile(size_t nIndex, const std::string& strName)
{
  std::vector<std::string> rgstrNames = getProfileNames();
  {
    FillGuard guard(*this);
    SendMessageA(item(IDC_MAIN_PROFILE), CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
  }
  m_form.switchToPendingProfile(nIndex < rgstrNames.size() ? rgstrNames[nIndex] : strName);
}

// ---- HeldDataSink -------------------------------------------------------------------------------

void CQuilbarDlg::deliverHeld(const std::string& strData)
{
  m_dataPath.pipeline().processInputString(strData.c_str());
}

// The hold has logged the drop; the tray tells the user, who may not be watching the log.
void CQuilbarDlg::heldDataDropped(const std::string&, const std::string& strReason)
{
  outputNotTyped(strReason);
}

// ---- OutputNotice -------------------------------------------------------------------------------

void CQuilbarDlg::outputNotTyped(const std::string& strReason)
{
  m_strNotTyped = strReason.empty() ? "unknown reason" : strReason;
  showTray(m_trayDisplay);
}

void CQuilbarDlg::outputDelivered()
{
  if (m_strNotTyped.empty())
    return;
  m_strNotTyped.clear();
  showTray(m_trayDisplay);
}

// ---- Output expressions -------------------------------------------------------------------------

void CQuilbarDlg::ExpressionSide::setPendingProfile(const std::string& strName)
{
  m_dialog.m_dataPath.pipeline().setPendingProfile(strName);
}

void CQuilbarDlg::ExpressionSide::sendClipboardContents()
{
  m_dialog.m_dataPath.sendClipboardContents();
}

ProfilePortSettings CQuilbarDlg::ExpressionSide::getCurrentProfileSettings()
{
  ProfilePortSettings settings;
  const QuilbarProfile* pProfile = m_dialog.m_form.currentProfile();
  if (pProfile == nullptr)
    return settings;
  settings.strName = pProfile->getName();
  settings.strPort = pProfile->getPort();
  settings.strSpeed = pProfile->getSpeed();
  settings.strData = pProfile->getData();
  settings.strParity = pProfile->getParity();
  settings.strStop = pProfile->getStop();
  return settings;
}
