#pragma once

#include "ControlValues.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The controls of a real dialog or page, for the portable rules and binding tables. Lists a page
// keeps beside its controls live here too, for as long as this object.
class CDialogControls : public ControlValues
{
public:
  explicit CDialogControls(HWND hwndDialog) : m_hwndDialog(hwndDialog) {}

  std::string getText(int nId) const override;
  void setText(int nId, const std::string& strText) override;
  void selectChoice(int nId, const std::string& strText) override;
  bool isChecked(int nId) const override;
  void setChecked(int nId, bool fChecked) override;
  void setEnabled(int nId, bool fEnabled) override;
  std::vector<std::string> getList(int nId) const override;
  void setList(int nId, const std::vector<std::string>& rgstrList) override;

  // Fills a drop-down list (or a list box) with the entries, in order.
  void fillChoices(int nId, const std::vector<std::string>& rgstrChoices);

private:
  HWND item(int nId) const { return GetDlgItem(m_hwndDialog, nId); }

  HWND m_hwndDialog;
  std::map<int, std::vector<std::string>> m_mapLists;
};
