#pragma once

#include "base/DialogBase_win.h"

#include <string>

// "Set Password" or "Enter Password" (by template): one hidden field of at most 30 characters.
class CPasswordDialog : public CDialogBase
{
public:
  explicit CPasswordDialog(int nTemplateId);
  ~CPasswordDialog() override;

  // The text typed, once the dialog closed with OK.
  const std::string& typed() const { return m_strTyped; }

protected:
  bool onInit() override;
  void onOk() override;

private:
  std::string m_strTyped;
};
