#pragma once

#include "LockOutputWindowForm.h"
#include "base/DialogBase_win.h"

#include <string>
#include <vector>

// "Lock Output Window": the title patterns of the windows that may receive output, in a simple
// combo box (an edit field above a sorted list).
class CLockOutputWindowDialog : public CDialogBase
{
public:
  explicit CLockOutputWindowDialog(const std::vector<std::string>& rgstrTitles);

  // The titles in list order, once the dialog closed with OK.
  const std::vector<std::string>& titles() const { return m_form.entries(); }

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;

private:
  void fillList();
  void add();
  void remove();
  void clearAndFocusEditField();

  LockOutputWindowForm m_form;
};
