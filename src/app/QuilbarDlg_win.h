#pragma once

#include "AutoStartList.h"
#include "DataPath_win.h"
#include "HelpViewer_win.h"
#include "MainWindowForm.h"
#include "MainWindowHost.h"
#include "PortRecovery.h"
#include "TrayDisplay.h"
#include "TrayIcon_win.h"
#include "base/DialogBase_win.h"
#include "base/UniqueResource_win.h"
#include "engine/MainWindowActions.h"
#include "keyboard/ForegroundWindow_win.h"
#include "pipeline/HeldDataPump_win.h"
#include "pipeline/HeldDataSink.h"
#include "pipeline/LockedOutputHold.h"
#include "pipeline/MonitorTextQueue.h"
#include "pipeline/OutputNotice.h"
#include "pipeline/ProfileSwitcher.h"
#include "serial/PortHost.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The main window's handle, once it exists.
extern HWND hwndMain;

// Callback message of the tray icon: the application message range plus 100.
const UINT WM_TRAYNOTIFY = WM_APP + 100;
// Posted by the communication thread when the open port stops answering; wParam: the system's
// error code.
const UINT WM_PORTFAILED = WM_APP + 101;
// Posted by the communication thread when events it logged wait for the monitors.
const UINT WM_THREADEVENTS = WM_APP + 102;
// The user-data word of the main window carries this mark.
const LONG_PTR kMainWindowMark = 0xB00B;

// The main window: a dialog that lives for the whole run. It owns the profiles (through its
// form), the port and the data path, the tray icon and the registered messages, and routes every
// message to them. Its rules live in MainWindowForm; this class moves values and messages.
class CQuilbarDlg : public CDialogBase,
                    public MainWindowHost,
                    public PortHost,
                    public ProfileSwitcher,
                    public HeldDataSink,
                    public OutputNotice
{
public:
  // The whole command line names the profile to run (empty: "Default").
  explicit CQuilbarDlg(const char* pszCommandLine);
  ~CQuilbarDlg() override;

  bool OpenPort();
  void ClosePort();

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;
  void onCancel() override;
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

private:
  // What output expressions ask of the main window.
  class ExpressionSide : public MainWindowActions
  {
  public:
    explicit ExpressionSide(CQuilbarDlg& dialog) : m_dialog(dialog) {}
    void openPort() override { m_dialog.OpenPort(); }
    void closePort() override { m_dialog.ClosePort(); }
    void setPendingProfile(const std::string& strName) override;
    void sendClipboardContents() override;
    ProfilePortSettings getCurrentProfileSettings() override;

  private:
    CQuilbarDlg& m_dialog;
  };

  void onPaint();
  void onFirstPaint();
  void onDestroy();
  static void showDialogHelp(HWND hwndDialog, int nContextId, void* pContext);
  void onHide();
  void onProfileCommand(int nCode);
  void onSetTrayState(WPARAM wParam);
  LRESULT onTrayNotify(LPARAM lParam);
  void showTray(const TrayDisplay& display);
  void submitDataString(const std::string& strData);
  bool openRunningPort();
  bool reopenQuietly();
  void stopRetrying();
  void onPortFailed(DWORD dwError);
  void sendThreadEvents();
  void reportPortGone(const std::string& strError);
  void onResume();
  std::string runningPortName();
  void logPortEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails);
  HICON trayIconOf(int nIconId) const;
  UniqueIcon loadIcon(int nId, int nSize) const;
  HWND boxOwner() const;
  int showMessageBox(const std::string& strText, const char* pszCaption, UINT uType) const;

  // MainWindowHost
  std::string profileBoxText() override;
  void showProfileBoxText(const std::string& strText) override;
  void fillProfileList(const std::vector<std::string>& rgstrNames) override;
  void enableDeleteButton(bool fEnabled) override;
  void enableSettingsButton(bool fEnabled) override;
  void focusProfileBox() override;
  void focusHideButton() override;
  void repaint() override;
  void showBox(MainWindowBox box, const std::string& strText) override;
  bool confirm(const std::string& strText) override;
  bool openPort() override { return OpenPort(); }
  void closePort() override { ClosePort(); }
  bool checkSettingsPassword(const std::string& strStoredPassword) override;
  SettingsSheetResult runSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage,
                                       const std::string& strStoredPassword) override;
  void postQuit() override;

  // PortHost
  void showError(const std::string& strText) override;
  void showNotice(const std::string& strText) override;
  void showTrayIdle(const std::string& strTip) override;
  void showTrayFailed(const std::string& strTip) override;
  void logRawInput(const std::string& strRaw) override;
  void logEvent(const std::string& strEvent, const std::vector<std::string>& rgstrDetails) override;
  void portFailed(uint32_t dwError) override;

  // ProfileSwitcher
  std::vector<std::string> getProfileNames() const override;
  void switchToProfile(size_t nIndex, const std::string& strName) override;

  // HeldDataSink
  void deliverHeld(const std::string& strData) override;
  void heldDataDropped(const std::string& strData, const std::string& strReason) override;

  // OutputNotice
  void outputNotTyped(const std::string& strReason) override;
  void outputDelivered() override;

  HICON m_hIcon;
  UniqueIcon m_hSmallIcon;
  UniqueIcon m_hTrayIconNoData;
  UniqueIcon m_hTrayIconData1;
  UniqueIcon m_hTrayIconData2;
  UniqueIcon m_hTrayIconData3;
  UniqueIcon m_hTrayIconFailed;
  ExpressionSide m_expressionSide;
  DataPath m_dataPath;
  AutoStartList m_autoStart;
  MainWindowForm m_form;
  CHelpViewer m_help;
  SystemForegroundWindow m_foregroundWindow;
  LockedOutputHold m_hold;
  // Made and ended on this thread: its hook and timer deliver through this thread's messages.
  std::unique_ptr<HeldDataPump> m_pHeldDataPump;
  std::unique_ptr<CTrayIcon> m_pTray;
  // The display as last set, and why the last data string was not typed (empty once one was).
  TrayDisplay m_trayDisplay;
  std::string m_strNotTyped;
  PortRecovery m_portRecovery;
  // Events of the communication thread on their way to the monitors, which are this thread's.
  MonitorTextQueue m_threadEvents;
  // Set while the port is opened again by itself: its failures show no message box.
  bool m_fQuietOpen = false;
  UINT m_uStartupMessage = 0;
  UINT m_uTaskbarCreated = 0;
  bool m_fFirstPaint = true;
  bool m_fQuitting = false;
  // Hidden at start-up: kept hidden until the user shows the window from the tray.
  bool m_fKeepHidden = false;
  // Set once Unload has been accepted: the window is going, its controls are no user input.
  bool m_fEnding = false;
};
