#pragma once

#include "CriteriaForm.h"
#include "base/DialogBase_win.h"

#include <string>

class Criteria;

// "Criteria": one criterion of a format, with the caption "Add Criteria" or "Edit Criteria". OK
// stores into the criterion; Cancel leaves it as it was.
class CCriteriaDialog : public CDialogBase
{
public:
  CCriteriaDialog(Criteria& criteria, const std::string& strCaption);

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;

private:
  CriteriaForm::Fields readFields() const;
  void showFields(const CriteriaForm::Fields& fields);
  void showKind(Criteria::Kind kind);
  Criteria::Kind checkedKind() const;

  Criteria& m_criteria;
  std::string m_strCaption;
};
