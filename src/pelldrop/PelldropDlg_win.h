#pragma once

#include "NumberedFileWriter.h"
#include "SystemOutputFiles.h"
#include "base/DialogBase_win.h"
#include "base/UniqueResource_win.h"

#include <string>

// Pelldrop's only window, "File plugin for Quilbar": subscribes to the running Quilbar, writes
// every data string it receives into a numbered file of the output folder, shows the folder and
// the last activity, and lets the user choose another folder. The rules live in portable classes
// (PelldropConfig, NumberedFileWriter, PelldropTexts); this class moves values between them, the
// controls and the system.
class CPelldropDlg : public CDialogBase
{
public:
  // The dialog's result when the start-up failed after its message.
  static constexpr INT_PTR knStartFailed = 1;

  CPelldropDlg();

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  // Enter has nothing to confirm; Escape and the close box end the program.
  void onOk() override {}
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

private:
  bool readConfig();
  bool subscribe();
  void unsubscribe();
  void onCopyData(const COPYDATASTRUCT* pCopyData);
  void chooseFolder();
  void writeConfig();
  void refreshControls();
  void showError(const std::string& strText);

  std::string m_strStartDirectory;
  std::string m_strFolder;
  std::string m_strStatus;
  SystemOutputFiles m_files;
  NumberedFileWriter m_writer{m_files};
  UniqueIcon m_hIconBig;
  UniqueIcon m_hIconSmall;
  HWND m_hwndQuilbar = NULL;
  UINT m_uQuilbar32_Unsubscribe = 0;
  bool m_fShowingError = false;
};
