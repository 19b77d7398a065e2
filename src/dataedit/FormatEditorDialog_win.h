#pragma once

#include "FormatEditorForm.h"
#include "base/DialogBase_win.h"

#include <string>

class DataEditFormat;

// The format editor ("Add Data Editing Format", "Edit Data Editing Format"): name, criteria and
// output expression of one format. Criteria changes reach the format at once, name and output
// only on OK. Under the expression a status line shows its syntax check a moment after typing.
class CFormatEditorDialog : public CDialogBase
{
public:
  CFormatEditorDialog(DataEditFormat& format, const std::string& strCaption);

  // How long typing must pause before the expression is checked.
  static const UINT kuStatusDelay = 400;

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

private:
  void addCriteria();
  void editCriteria();
  void removeCriteria();
  void showCriteria(int nSelection);
  void showStatus();

  DataEditFormat& m_format;
  std::string m_strCaption;
  FormatEditorForm m_form;
};
