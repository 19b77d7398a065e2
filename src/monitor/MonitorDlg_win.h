#pragma once

#include "EventReceiver_win.h"
#include "ScanTable.h"
#include "TestPad.h"
#include "WedgeState.h"
#include "base/DialogBase_win.h"
#include "base/UniqueResource_win.h"

#include <memory>
#include <vector>

// The monitor's window, "Tarnwick Quilbar Monitor": follows one running wedge as a monitor and
// shows its data strings, its state and the test pad. The rules live in portable classes
// (MonitorEvent, ScanRow, ScanTable, WedgeState, TestPad); this class moves them to the controls.
class CMonitorDlg : public CDialogBase
{
public:
  // fConnect false shows the window without looking for a wedge (the gallery feeds it events).
  explicit CMonitorDlg(bool fConnect = true);

  // An event as if the followed wedge had sent it, arriving at dwArrival; fIntoPad when the wedge
  // typed into the test pad.
  void showEvent(const MonitorEvent& event, DWORD dwArrival, bool fIntoPad);
  // A character typed into the test pad by a key stamped dwKeyTime.
  void padCharacter(char ch, DWORD dwKeyTime);

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  bool onNotify(const NMHDR& header, LRESULT& lResult) override;
  // Enter has nothing to confirm; Escape and the close box end the program.
  void onOk() override {}
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

private:
  void addColumns();
  void connect(bool fAskWhenSeveral);
  void follow(std::unique_ptr<EventReceiver> receiver);
  std::unique_ptr<EventReceiver> chooseAmong(const std::vector<HWND>& rgHwnd, bool fAsk);
  std::unique_ptr<EventReceiver> makeReceiver(HWND hwndWedge);
  void onTimer();
  void onEvent(EventReceiver& receiver, const MonitorEvent& event, DWORD dwArrival);
  void addRow(ScanRow row);
  int selectedRow() const;
  void togglePause();
  void clearRows();
  void copySelection();
  void saveAs();
  void refreshState();
  void refreshCount();
  void refreshEvent();
  void refreshPad();
  bool isPadFocused() const;
  static LRESULT CALLBACK padProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  bool m_fConnect;
  ScanTable m_table;
  WedgeState m_state;
  TestPad m_pad;
  std::unique_ptr<EventReceiver> m_receiver;
  bool m_fPaused = false;
  size_t m_nMissed = 0;
  DWORD m_dwLastKeyTime = 0;
  WNDPROC m_pfnPadProc = nullptr;
  UniqueIcon m_hIconBig;
  UniqueIcon m_hIconSmall;
};
