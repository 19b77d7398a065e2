#pragma once

#include <windows.h>

#include <string>

// Skeleton of a dialog: the procedure keeps the object in the dialog's own user slot (DWLP_USER,
// so GWLP_USERDATA stays free for marks other programs may read) and dispatches to short
// handlers. Derived classes override only what they handle.
class CDialogBase
{
public:
  explicit CDialogBase(int nTemplateId, HINSTANCE hInstance = nullptr);
  virtual ~CDialogBase() = default;
  CDialogBase(const CDialogBase&) = delete;
  CDialogBase& operator=(const CDialogBase&) = delete;

  // Runs the dialog modally; the value given to endDialog, or -1 when it could not be created.
  INT_PTR runModal(HWND hwndParent);
  // Creates the dialog modelessly (the caller's message loop must pass IsDialogMessage).
  HWND createModeless(HWND hwndParent);

  HWND hwnd() const { return m_hwnd; }
  int templateId() const { return m_nTemplateId; }

  // The dialog whose procedure this object runs, or null.
  static CDialogBase* fromWindow(HWND hwnd);

  // Where the help requests (F1, WM_HELP) of every dialog go, with the dialog's template id as
  // the help context. The program installs one; without it a request does nothing.
  typedef void (*HelpHandler)(HWND hwndDialog, int nContextId, void* pContext);
  static void setHelpHandler(HelpHandler pfnHandler, void* pContext);

protected:
  // WM_INITDIALOG, after the object is attached. True lets the system set the focus.
  virtual bool onInit() { return true; }
  // WM_COMMAND; true when handled. IDOK and IDCANCEL come here first, then to onOk/onCancel.
  virtual bool onCommand(int nId, int nCode, HWND hwndControl) { return false; }
  // WM_NOTIFY; true when handled (the result goes to DWLP_MSGRESULT).
  virtual bool onNotify(const NMHDR& header, LRESULT& lResult) { return false; }
  virtual void onOk() { endDialog(IDOK); }
  virtual void onCancel() { endDialog(IDCANCEL); }
  // Any other message; set fHandled and return the procedure's result.
  virtual INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) { return FALSE; }

  void endDialog(INT_PTR nResult);

  HWND item(int nId) const { return GetDlgItem(m_hwnd, nId); }
  std::string itemText(int nId) const;
  void setItemText(int nId, const std::string& strText);
  bool isChecked(int nId) const;
  void setChecked(int nId, bool fChecked);
  void enableItem(int nId, bool fEnabled);
  void focusItem(int nId);
  // A message box owned by this dialog.
  int messageBox(const std::string& strText, const std::string& strCaption, UINT uType) const;

  // True while controls are being filled from values: EN_CHANGE and selection notifications
  // raised by the filling itself must not count as user input.
  bool isFilling() const { return m_nFilling > 0; }
  class FillGuard
  {
  public:
    explicit FillGuard(CDialogBase& dialog) : m_dialog(dialog) { ++m_dialog.m_nFilling; }
    ~FillGuard() { --m_dialog.m_nFilling; }
    FillGuard(const FillGuard&) = delete;
    FillGuard& operator=(const FillGuard&) = delete;

  private:
    CDialogBase& m_dialog;
  };

  // Used by the property page skeleton, whose procedure attaches differently.
  void attach(HWND hwnd);
  // Routes one message to the handlers; detaches the object at WM_NCDESTROY.
  INT_PTR dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
  bool requestHelp();
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
  INT_PTR dispatchCommand(WPARAM wParam, LPARAM lParam);

  int m_nTemplateId;
  HINSTANCE m_hInstance;
  HWND m_hwnd = nullptr;
  int m_nFilling = 0;
};
