#pragma once

#include "DialogBase_win.h"

#include <windows.h>

#include <commctrl.h>

// Skeleton of a property page: a dialog whose procedure is attached through PROPSHEETPAGE::lParam
// and whose sheet notifications arrive as onSetActive, onKillActive and onApply.
class CPropertyPageBase : public CDialogBase
{
public:
  CPropertyPageBase(int nTemplateId, const char* pszTitle, HINSTANCE hInstance = nullptr);

  // The page description for PropertySheetA; valid while this object lives.
  const PROPSHEETPAGEA& pageDescription() const { return m_page; }

protected:
  // The page became the active one.
  virtual void onSetActive() {}
  // The page is being left (another tab, or OK while it is active). False keeps it open.
  virtual bool onKillActive() { return true; }
  // OK was pressed (after onKillActive of the active page succeeded).
  virtual void onApply() {}
  // Notifications other than the page life.
  virtual bool onPageNotify(const NMHDR& header, LRESULT& lResult) { return false; }

  HWND sheet() const { return GetParent(hwnd()); }

private:
  bool onNotify(const NMHDR& header, LRESULT& lResult) final;
  static INT_PTR CALLBACK pageProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  PROPSHEETPAGEA m_page;
};
