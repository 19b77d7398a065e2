#pragma once

#include "TrayDisplay.h"
#include "TrayIcon_win.h"
#include "base/UniqueResource_win.h"
#include "pipeline/OutputNotice.h"

#include <windows.h>

#include <memory>
#include <string>

class QuilbarProfile;

// The program's tray icon and what it tells the user: the port's state, the blinking data states,
// and a string that was not typed ("Not typed: ..." until the next string is delivered). Every
// change of the icon passes here, on the main window's thread.
class TrayNotices : public OutputNotice
{
public:
  TrayNotices();

  // The icon appears, idle, with its clicks sent to the window as the callback message.
  void attach(HWND hwndOwner, UINT uCallbackMessage);
  void remove();

  void show(const TrayDisplay& display);
  void showIdle(const std::string& strTip);
  void showFailed(const std::string& strTip);
  // A WM_SETTRAYSTATE, from the port's threads or from any other program.
  void showState(WPARAM wParam, const QuilbarProfile* pCurrentProfile);
  // True for Explorer's "TaskbarCreated", after which the icon has been added again.
  bool onTaskbarMessage(UINT uMsg);

  // OutputNotice
  void outputNotTyped(const std::string& strReason) override;
  void outputDelivered() override;

private:
  HICON iconOf(int nIconId) const;

  UniqueIcon m_hIconNoData;
  UniqueIcon m_hIconData1;
  UniqueIcon m_hIconData2;
  UniqueIcon m_hIconData3;
  UniqueIcon m_hIconFailed;
  std::unique_ptr<CTrayIcon> m_pTray;
  UINT m_uTaskbarCreated = 0;
  // The display as last set, and why the last data string was not typed (empty once one was).
  TrayDisplay m_display;
  std::string m_strNotTyped;
};

// An icon of the program's resources at the size it is shown, so the small ones are drawn from
// their own pixels rather than shrunk.
UniqueIcon loadProgramIcon(int nId, int nSize);
