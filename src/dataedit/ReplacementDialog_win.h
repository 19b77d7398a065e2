#pragma once

#include "base/DialogBase_win.h"

#include <string>

class Replacement;

// "Input Data Replacement" ("Add Input Data Replacement", "Edit Input Data Replacement"): the
// search and replace texts of one replacement, in the notation. OK stores them as typed.
class CReplacementDialog : public CDialogBase
{
public:
  CReplacementDialog(Replacement& replacement, const std::string& strCaption);

protected:
  bool onInit() override;
  void onOk() override;

private:
  Replacement& m_replacement;
  std::string m_strCaption;
};
