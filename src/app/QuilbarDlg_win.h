#pragma once

#include "AutoStartList.h"
#include "DataPath_win.h"
#include "ExpressionSide_win.h"
#include "HeldDataRoute_win.h"
#include "HelpViewer_win.h"
#include "MainWindowForm.h"
#include "MainWindowHost.h"
#include "PortLifecycle_win.h"
#include "ProfileBox_win.h"
#include "TrayNotices_win.h"
#include "base/DialogBase_win.h"
#include "pipeline/ProfileSwitcher.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The main window's handle, once it exists.
extern HWND hwndMain;

// Callback message of the tray icon: the application message range plus 100.
const UINT WM_TRAYNOTIFY = WM_APP + 100;
// The user-data word of the main window carries this mark.
const LONG_PTR kMainWindowMark = 0xB00B;

// The main window: a dialog that lives for the whole run. It owns the profiles (through its
// form), the port's life, the data path, the tray and the held data, and routes every message to
// them. Its rules live in MainWindowForm; this class moves values and messages.
class CQuilbarDlg : public CDialogBase, public MainWindowHost, public ProfileSwitcher
{
public:
  // The whole command line names the profile to run (empty: "Default").
  explicit CQuilbarDlg(const char* pszCommandLine);
  ~CQuilbarDlg() override;

  bool OpenPort() { return m_port.OpenPort(); }
  void ClosePort() { m_port.ClosePort(); }

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;
  void onCancel() override;
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

private:
  void onPaint();
  void onFirstPaint();
  void onDestroy();
  static void showDialogHelp(HWND hwndDialog, int nContextId, void* pContext);
  void onHide();
  void onProfileCommand(int nCode);
  LRESULT onTrayNotify(LPARAM lParam);
  void showFromTray();
  void onTrayMenu();
  int showMessageBox(const std::string& strText, const char* pszCaption, UINT uType) const;

  // MainWindowHost
  std::string profileBoxText() override;
  void showProfileBoxText(const std::string& strText) override;
  void fillProfileList(const std::vector<std::string>& rgstrNames) override;
  void enableDeleteButton(bool fEnabled) override;
  void enableSettingsButton(bool fEnabled) override;
  void allowNewProfileNames(bool fAllowed) override;
  void focusProfileBox() override;
  void focusHideButton() override;
  void repaint() override;
  void showBox(MainWindowBox box, const std::string& strText) override;
  bool confirm(const std::string& strText) override;
  bool openPort() override { return OpenPort(); }
  void closePort() override { ClosePort(); }
  bool checkSettingsPassword(const std::string& strStoredPassword) override;
  SettingsSheetResult runSettingsSheet(QuilbarProfile& profileCopy, unsigned nStartPage,
                                       const std::string& strStoredPassword, const SettingsPolicy& policy) override;
  void postQuit() override;

  // ProfileSwitcher
  std::vector<std::string> getProfileNames() const override;
  void switchToProfile(size_t nIndex, const std::string& strName) override;

  HICON m_hIcon;
  UniqueIcon m_hSmallIcon;
  TrayNotices m_tray;
  ExpressionSide m_expressionSide;
  DataPath m_dataPath;
  AutoStartList m_autoStart;
  MainWindowForm m_form;
  HeldDataRoute m_heldData;
  PortLifecycle m_port;
  CHelpViewer m_help;
  ProfileBox m_profileBox;
  bool m_fFirstPaint = true;
  bool m_fQuitting = false;
  // Hidden at start-up: kept hidden until the user shows the window from the tray.
  bool m_fKeepHidden = false;
  // Set once Unload has been accepted: the window is going, its controls are no user input.
  bool m_fEnding = false;
};
