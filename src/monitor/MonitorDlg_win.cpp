#include "MonitorDlg_win.h"

#include "MonitorResourceIds.h"
#include "MonitorTexts.h"
#include "TypedKeys.h"
#include "WedgeChooserDlg_win.h"
#include "base/ClipboardSession_win.h"
#include "base/QuilbarWindowFinder_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>

namespace
{
constexpr UINT_PTR kuWatchTimer = 1;
constexpr UINT kuWatchMs = 1000;
// How long the wedges are given to answer with their "Connected" event before the choice.
constexpr DWORD kdwProbeMs = 3000;

struct Column
{
  const char* pszTitle;
  int nWidth;  // dialog units
};
const Column krgColumns[] = {
    {"Time", 54}, {"Arrived", 74}, {"After replacements", 74}, {"Format", 50}, {"What became of it", 136}};

HICON loadIcon(int nSize)
{
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MONITOR), IMAGE_ICON, nSize, nSize, 0));
}

const std::string& columnText(const ScanRow& row, int nColumn)
{
  switch (nColumn)
  {
  case 0:
    return row.strTime;
  case 1:
    return row.strArrived;
  case 2:
    return row.strAfterReplacements;
  case 3:
    return row.strFormat;
  default:
    return row.strFate;
  }
}

// Edit controls break lines at CR LF only.
std::string withCrLf(const std::string& strText)
{
  std::string strOut;
  for (char ch : strText)
  {
    if (ch == '\n')
      strOut += '\r';
    strOut += ch;
  }
  return strOut;
}

// Runs the messages of this thread until every probe has its "Connected" event or time is up.
void waitForConnected(const std::vector<std::unique_ptr<EventReceiver>>& rgProbes)
{
  DWORD dwStart = GetTickCount();
  for (;;)
  {
    bool fAll = true;
    for (const auto& probe : rgProbes)
      fAll = fAll && probe->hasConnected();
    if (fAll || GetTickCount() - dwStart >= kdwProbeMs)
      return;
    MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_SENDMESSAGE | QS_POSTMESSAGE);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE))
      DispatchMessageA(&msg);
  }
}
}  // namespace

CMonitorDlg::CMonitorDlg(bool fConnect) : CDialogBase(IDD_MONITOR_DIALOG), m_fConnect(fConnect)
{
}

bool CMonitorDlg::onInit()
{
  m_hIconBig.reset(loadIcon(GetSystemMetrics(SM_CXICON)));
  m_hIconSmall.reset(loadIcon(GetSystemMetrics(SM_CXSMICON)));
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconBig.get()));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall.get()));
  addColumns();
  SetWindowLongPtrA(item(IDC_MONITOR_PAD), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_pfnPadProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(item(IDC_MONITOR_PAD), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(padProc)));
  SendMessageA(item(IDC_MONITOR_PAD), EM_LIMITTEXT, TestPad::kcchMax, 0);
  refreshCount();
  refreshPad();
  if (m_fConnect)
  {
    connect(true);
    SetTimer(hwnd(), kuWatchTimer, kuWatchMs, NULL);
  }
  refreshState();
  return true;
}

void CMonitorDlg::addColumns()
{
  HWND hwndList = item(IDC_MONITOR_LIST);
  ListView_SetExtendedListViewStyle(hwndList, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int i = 0; i < static_cast<int>(sizeof(krgColumns) / sizeof(krgColumns[0])); ++i)
  {
    RECT rc = {0, 0, krgColumns[i].nWidth, 1};
    MapDialogRect(hwnd(), &rc);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(krgColumns[i].pszTitle);
    column.cx = rc.right;
    column.iSubItem = i;
    SendMessageA(hwndList, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

bool CMonitorDlg::onCommand(int nId, int nCode, HWND)
{
  if (nCode != BN_CLICKED)
    return false;
  switch (nId)
  {
  case IDC_MONITOR_PAUSE:
    togglePause();
    return true;
  case IDC_MONITOR_CLEAR:
    clearRows();
    return true;
  case IDC_MONITOR_COPY:
    copySelection();
    return true;
  case IDC_MONITOR_SAVE:
    saveAs();
    return true;
  case IDC_MONITOR_CONNECT:
    connect(true);
    refreshState();
    return true;
  case IDC_MONITOR_PAD_CLEAR:
    m_pad.clear();
    setItemText(IDC_MONITOR_PAD, "");
    refreshPad();
    return true;
  default:
    return false;
  }
}

bool CMonitorDlg::onNotify(const NMHDR& header, LRESULT& lResult)
{
  if (header.idFrom != IDC_MONITOR_LIST)
    return false;
  if (header.code == LVN_GETDISPINFOA)
  {
    LVITEMA& lvItem = reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(header)).item;
    if ((lvItem.mask & LVIF_TEXT) != 0 && lvItem.iItem >= 0 && static_cast<size_t>(lvItem.iItem) < m_table.size() &&
        lvItem.cchTextMax > 0)
    {
      const std::string& strText = columnText(m_table.row(lvItem.iItem), lvItem.iSubItem);
      lstrcpynA(lvItem.pszText, strText.c_str(), lvItem.cchTextMax);
    }
    lResult = 0;
    return true;
  }
  if (header.code == LVN_ITEMCHANGED)
  {
    refreshEvent();
    lResult = 0;
    return true;
  }
  return false;
}

INT_PTR CMonitorDlg::onMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& fHandled)
{
  if (uMsg == WM_TIMER && wParam == kuWatchTimer)
  {
    fHandled = true;
    onTimer();
    return TRUE;
  }
  // However the window ends, the wedge is left: its next send finds the receiver gone.
  if (uMsg == WM_DESTROY)
  {
    KillTimer(hwnd(), kuWatchTimer);
    m_receiver.reset();
  }
  return FALSE;
}

// Asked by the user (at start and with Connect) the monitor lets them choose among several
// wedges; on its own (the timer) it follows a wedge only when there is exactly one.
void CMonitorDlg::connect(bool fAskWhenSeveral)
{
  std::vector<HWND> rgHwnd = findQuilbarMainWindows();
  if (rgHwnd.empty())
  {
    if (m_receiver == nullptr)
      m_state.setLink(m_state.link() == WedgeState::Link::Gone ? WedgeState::Link::Gone : WedgeState::Link::Searching);
    return;
  }
  if (rgHwnd.size() == 1)
  {
    if (m_receiver != nullptr && m_receiver->wedge() == rgHwnd.front())
      return;
    std::unique_ptr<EventReceiver> receiver = makeReceiver(rgHwnd.front());
    if (receiver->subscribe())
      follow(std::move(receiver));
    return;
  }
  std::unique_ptr<EventReceiver> chosen = chooseAmong(rgHwnd, fAskWhenSeveral);
  if (chosen != nullptr)
    follow(std::move(chosen));
  else if (m_receiver == nullptr)
    m_state.setLink(WedgeState::Link::Several);
}

void CMonitorDlg::follow(std::unique_ptr<EventReceiver> receiver)
{
  m_receiver = std::move(receiver);
  m_state = WedgeState();
  m_state.setLink(WedgeState::Link::Connected);
  if (m_receiver->hasConnected())
    m_state.apply(m_receiver->connectedEvent());
}

// Each wedge is asked for its "Connected" event through a receiver of its own (the events carry
// no sender); the chosen receiver stays subscribed and the others are destroyed.
std::unique_ptr<EventReceiver> CMonitorDlg::chooseAmong(const std::vector<HWND>& rgHwnd, bool fAsk)
{
  if (!fAsk)
    return nullptr;
  std::vector<std::unique_ptr<EventReceiver>> rgProbes;
  for (HWND hwndWedge : rgHwnd)
  {
    rgProbes.push_back(makeReceiver(hwndWedge));
    rgProbes.back()->subscribe();
  }
  waitForConnected(rgProbes);
  std::vector<std::string> rgstrLines;
  for (size_t i = 0; i < rgProbes.size(); ++i)
    rgstrLines.push_back(MonitorTexts::chooserLine(rgProbes[i]->hasConnected() ? &rgProbes[i]->connectedEvent() : nullptr, i));
  CWedgeChooserDlg chooser(rgstrLines);
  if (chooser.runModal(hwnd()) != IDOK || chooser.choice() < 0)
    return nullptr;
  return std::move(rgProbes[chooser.choice()]);
}

std::unique_ptr<EventReceiver> CMonitorDlg::makeReceiver(HWND hwndWedge)
{
  return std::make_unique<EventReceiver>(
      hwndWedge, [this](EventReceiver& receiver, const MonitorEvent& event, DWORD dwArrival) {
        onEvent(receiver, event, dwArrival);
      });
}

// A wedge that ended leaves its receiver behind; the monitor follows the next one that starts.
void CMonitorDlg::onTimer()
{
  if (m_receiver != nullptr && !m_receiver->isWedgeAlive())
  {
    m_receiver.reset();
    m_state.setLink(WedgeState::Link::Gone);
  }
  if (m_receiver == nullptr)
    connect(false);
  refreshState();
}

void CMonitorDlg::onEvent(EventReceiver& receiver, const MonitorEvent& event, DWORD dwArrival)
{
  if (&receiver != m_receiver.get())
    return;
  showEvent(event, dwArrival, isPadFocused());
}

void CMonitorDlg::showEvent(const MonitorEvent& event, DWORD dwArrival, bool fIntoPad)
{
  m_state.apply(event);
  refreshState();
  std::string strKeys;
  if (event.strName == "Keyboard Output" && fIntoPad && event.detail("Keyboard Data", strKeys))
  {
    m_pad.wedgeTyped(TypedKeys::charactersOf(strKeys), dwArrival);
    refreshPad();
  }
  ScanRow row;
  if (!ScanRow::fromEvent(event, row))
    return;
  if (m_fPaused)
    ++m_nMissed;
  else
    addRow(std::move(row));
  refreshCount();
}

// The list follows the newest row unless the user has selected one; a selected row keeps its
// place while the oldest rows make room.
void CMonitorDlg::addRow(ScanRow row)
{
  HWND hwndList = item(IDC_MONITOR_LIST);
  int nSelected = selectedRow();
  bool fDropped = m_table.add(std::move(row));
  ListView_SetItemCountEx(hwndList, static_cast<int>(m_table.size()), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  if (fDropped && nSelected >= 0)
  {
    ListView_SetItemState(hwndList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (nSelected > 0)
      ListView_SetItemState(hwndList, nSelected - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  InvalidateRect(hwndList, NULL, FALSE);
  if (selectedRow() < 0)
  {
    ListView_EnsureVisible(hwndList, static_cast<int>(m_table.size()) - 1, FALSE);
    refreshEvent();
  }
}

int CMonitorDlg::selectedRow() const
{
  return ListView_GetNextItem(item(IDC_MONITOR_LIST), -1, LVNI_SELECTED);
}

void CMonitorDlg::togglePause()
{
  m_fPaused = !m_fPaused;
  m_nMissed = 0;
  setItemText(IDC_MONITOR_PAUSE, m_fPaused ? "&Resume" : "&Pause");
  refreshCount();
}

void CMonitorDlg::clearRows()
{
  m_table.clear();
  m_nMissed = 0;
  ListView_SetItemCountEx(item(IDC_MONITOR_LIST), 0, 0);
  refreshCount();
  refreshEvent();
}

// The selected row with its event, or the whole list when none is selected.
void CMonitorDlg::copySelection()
{
  int nSelected = selectedRow();
  std::string strText = nSelected >= 0 ? m_table.report(nSelected, 1) : m_table.report(0, m_table.size());
  ClipboardSession clipboard(hwnd());
  if (!clipboard.isOpen())
    return;
  EmptyClipboard();
  HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE, strText.size() + 1);
  if (hMemory == NULL)
    return;
  void* pMemory = GlobalLock(hMemory);
  std::memcpy(pMemory, strText.c_str(), strText.size() + 1);
  GlobalUnlock(hMemory);
  if (SetClipboardData(CF_TEXT, hMemory) == NULL)
    GlobalFree(hMemory);
}

void CMonitorDlg::saveAs()
{
  char szFile[MAX_PATH] = "QuilbarMonitor.txt";
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
  ofn.lpstrFile = szFile;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&ofn))
    return;
  std::string strReport = m_table.report(0, m_table.size());
  std::FILE* pFile = std::fopen(szFile, "wb");
  bool fWritten = pFile != nullptr && std::fwrite(strReport.data(), 1, strReport.size(), pFile) == strReport.size();
  if (pFile != nullptr)
    fWritten = std::fclose(pFile) == 0 && fWritten;
  if (!fWritten)
    messageBox(MonitorTexts::notSaved(szFile), MonitorTexts::kszTitle, MB_OK | MB_ICONSTOP);
}

void CMonitorDlg::refreshState()
{
  setItemText(IDC_MONITOR_STATE, m_state.describe());
}

void CMonitorDlg::refreshCount()
{
  setItemText(IDC_MONITOR_COUNT, MonitorTexts::countLine(m_table.size(), m_fPaused, m_nMissed));
}

void CMonitorDlg::refreshEvent()
{
  int nRow = selectedRow();
  if (nRow < 0 && m_table.size() > 0)
    nRow = static_cast<int>(m_table.size()) - 1;
  setItemText(IDC_MONITOR_EVENT, nRow >= 0 ? withCrLf(m_table.row(nRow).strEvent) : std::string());
}

void CMonitorDlg::refreshPad()
{
  TestPad::Comparison comparison = m_pad.latest();
  setItemText(IDC_MONITOR_PAD_ARRIVED, comparison.strArrived);
  setItemText(IDC_MONITOR_PAD_RESULT, comparison.strMessage);
}

// The wedge typed into the pad when the pad had the keyboard focus in the window in front.
bool CMonitorDlg::isPadFocused() const
{
  return GetForegroundWindow() == hwnd() && GetFocus() == item(IDC_MONITOR_PAD);
}

void CMonitorDlg::padCharacter(char ch, DWORD dwKeyTime)
{
  m_pad.charArrived(ch, dwKeyTime);
  refreshPad();
}

// The pad takes every key (Enter and Tab too, which a dialog would keep for itself) and stamps
// each character with the time of the key that made it: the character message is posted later
// and carries the time of its posting.
LRESULT CALLBACK CMonitorDlg::padProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  auto* pDlg = reinterpret_cast<CMonitorDlg*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (uMsg)
  {
  case WM_GETDLGCODE:
    return DLGC_WANTALLKEYS | DLGC_WANTCHARS | CallWindowProcA(pDlg->m_pfnPadProc, hwnd, uMsg, wParam, lParam);
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    pDlg->m_dwLastKeyTime = static_cast<DWORD>(GetMessageTime());
    break;
  case WM_CHAR:
    pDlg->padCharacter(static_cast<char>(wParam), pDlg->m_dwLastKeyTime);
    // Control characters show in the notation below; the field itself would only beep.
    if (static_cast<unsigned char>(wParam) < 0x20)
      return 0;
    break;
  default:
    break;
  }
  return CallWindowProcA(pDlg->m_pfnPadProc, hwnd, uMsg, wParam, lParam);
}
