#include "PelldropDlg_win.h"

#include "PelldropConfig.h"
#include "PelldropResourceIds.h"
#include "PelldropTexts.h"
#include "base/QuilbarWindowFinder_win.h"
#include "CopyDataText.h"
#include "pipeline/SubscriberMessages.h"

#include <shlobj.h>

namespace
{
bool isLeadByte(unsigned char ch)
{
  return IsDBCSLeadByte(ch) != FALSE;
}

UtcTime utcNow()
{
  SYSTEMTIME now;
  GetSystemTime(&now);
  UtcTime time;
  time.nYear = now.wYear;
  time.nMonth = now.wMonth;
  time.nDay = now.wDay;
  time.nHour = now.wHour;
  time.nMinute = now.wMinute;
  time.nSecond = now.wSecond;
  time.nMilliseconds = now.wMilliseconds;
  return time;
}

HICON loadIcon(int nSize)
{
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_PELLDROP), IMAGE_ICON, nSize, nSize, 0));
}

// The browser opens on the current folder, so a user who only looks around changes nothing.
int CALLBACK browseCallback(HWND hwndBrowser, UINT uMsg, LPARAM, LPARAM lpData)
{
  if (uMsg == BFFM_INITIALIZED && lpData != 0)
    SendMessageA(hwndBrowser, BFFM_SETSELECTIONA, TRUE, lpData);
  return 0;
}

// A folder's path as the browser takes it: without the final backslash, but a drive keeps its root.
std::string browserPath(const std::string& strFolder)
{
  std::string strPath = strFolder;
  if (strPath.size() > 3 && strPath.back() == '\\')
    strPath.pop_back();
  return strPath;
}
}  // namespace

CPelldropDlg::CPelldropDlg() : CDialogBase(IDD_PELLDROP_DIALOG)
{
}

bool CPelldropDlg::onInit()
{
  char szDirectory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, szDirectory);
  m_strStartDirectory = szDirectory;
  m_hIconBig.reset(loadIcon(GetSystemMetrics(SM_CXICON)));
  m_hIconSmall.reset(loadIcon(GetSystemMetrics(SM_CXSMICON)));
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconBig.get()));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall.get()));
  if (!readConfig())
  {
    endDialog(knStartFailed);
    return true;
  }
  m_strFolder = PelldropConfig::withTrailingBackslash(m_strFolder, isLeadByte);
  refreshControls();
  if (!subscribe())
    endDialog(knStartFailed);
  return true;
}

bool CPelldropDlg::onCommand(int nId, int nCode, HWND)
{
  if (nId != IDC_PELLDROP_BROWSE || nCode != BN_CLICKED)
    return false;
  chooseFolder();
  return true;
}

INT_PTR CPelldropDlg::onMessage(UINT uMsg, WPARAM, LPARAM lParam, bool& fHandled)
{
  if (uMsg == WM_COPYDATA)
  {
    fHandled = true;
    onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
  }
  // However the window ends, Quilbar must not keep delivering to it.
  if (uMsg == WM_DESTROY)
    unsubscribe();
  return FALSE;
}

// The configuration file is looked up in the start directory, whatever the current one is now.
bool CPelldropDlg::readConfig()
{
  SetCurrentDirectoryA(m_strStartDirectory.c_str());
  switch (PelldropConfig::read(PelldropConfig::kszFileName, m_strFolder))
  {
  case PelldropConfig::ReadResult::Read:
    return true;
  case PelldropConfig::ReadResult::NotFound:
    showError(PelldropTexts::configNotFound(PelldropConfig::kszFileName));
    return false;
  case PelldropConfig::ReadResult::Unreadable:
    break;
  }
  showError(PelldropTexts::kszErrorReadingIni);
  return false;
}

bool CPelldropDlg::subscribe()
{
  UINT uSubscribe = RegisterWindowMessageA(kszQuilbar32Subscribe);
  m_uQuilbar32_Unsubscribe = RegisterWindowMessageA(kszQuilbar32Unsubscribe);
  if (uSubscribe == 0)
  {
    showError(PelldropTexts::kszSubscribeNotRegistered);
    return false;
  }
  m_hwndQuilbar = findQuilbarMainWindow();
  if (m_hwndQuilbar == NULL)
  {
    showError(PelldropTexts::kszQuilbarNotFound);
    return false;
  }
  PostMessageA(m_hwndQuilbar, uSubscribe, 0, reinterpret_cast<LPARAM>(hwnd()));
  return true;
}

// Posted, so a Quilbar that is busy (or gone) cannot hold Pelldrop's ending up.
void CPelldropDlg::unsubscribe()
{
  if (m_hwndQuilbar == NULL || m_uQuilbar32_Unsubscribe == 0)
    return;
  PostMessageA(m_hwndQuilbar, m_uQuilbar32_Unsubscribe, 0, reinterpret_cast<LPARAM>(hwnd()));
  m_hwndQuilbar = NULL;
}

// The text is copied out of the block first: the block belongs to the message and is not to be
// read once the reply has let the sender go on. The early reply lets Quilbar's synchronous send
// return before any file work.
void CPelldropDlg::onCopyData(const COPYDATASTRUCT* pCopyData)
{
  std::string strText;
  bool fHasData = pCopyData != NULL && CopyDataText::read(pCopyData->lpData, pCopyData->cbData, strText);
  ReplyMessage(TRUE);
  UtcTime time = utcNow();
  if (!fHasData)
  {
    m_strStatus = PelldropTexts::emptyMessageStatus(time);
    refreshControls();
    return;
  }
  OutputDebugStringA(strText.c_str());
  NumberedFileWriter::Outcome outcome = m_writer.write(m_strFolder, strText);
  std::string strSystemError =
      outcome.result == NumberedFileWriter::Outcome::Result::Written ? std::string() : m_files.describeError(outcome.dwError);
  m_strStatus = PelldropTexts::status(outcome, utcNow(), strText, strSystemError);
  refreshControls();
  std::string strMessage = PelldropTexts::failureMessage(outcome, strSystemError);
  if (!strMessage.empty())
    showError(strMessage);
}

void CPelldropDlg::chooseFolder()
{
  char szDisplayName[MAX_PATH] = "";
  std::string strInitial = browserPath(m_strFolder);
  BROWSEINFOA info = {};
  info.hwndOwner = hwnd();
  info.pszDisplayName = szDisplayName;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  info.lpfn = browseCallback;
  info.lParam = reinterpret_cast<LPARAM>(strInitial.c_str());
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&info);
  if (pidl == NULL)
    return;
  char szPath[MAX_PATH] = "";
  BOOL fPath = SHGetPathFromIDListA(pidl, szPath);
  CoTaskMemFree(pidl);
  if (!fPath)
    return;
  m_strFolder = PelldropConfig::withTrailingBackslash(szPath, isLeadByte);
  refreshControls();
  writeConfig();
}

void CPelldropDlg::writeConfig()
{
  SetCurrentDirectoryA(m_strStartDirectory.c_str());
  switch (PelldropConfig::write(PelldropConfig::kszFileName, m_strFolder))
  {
  case PelldropConfig::WriteResult::Written:
    m_strStatus = PelldropTexts::folderSet(m_strFolder);
    refreshControls();
    return;
  case PelldropConfig::WriteResult::CannotOpen:
    showError(PelldropTexts::configNotUpdated(PelldropConfig::kszFileName));
    return;
  case PelldropConfig::WriteResult::CannotWrite:
    break;
  }
  showError(PelldropTexts::kszErrorWritingIni);
}

void CPelldropDlg::refreshControls()
{
  FillGuard guard(*this);
  setItemText(IDC_PELLDROP_FOLDER, m_strFolder);
  setItemText(IDC_PELLDROP_STATUS, m_strStatus);
}

// Data strings keep arriving while a box is open (its message loop takes them): a failure then
// shows in the status text only, instead of a pile of boxes.
void CPelldropDlg::showError(const std::string& strText)
{
  if (m_fShowingError)
    return;
  m_fShowingError = true;
  messageBox(strText, PelldropTexts::kszCaption, MB_OK | MB_ICONSTOP);
  m_fShowingError = false;
}
