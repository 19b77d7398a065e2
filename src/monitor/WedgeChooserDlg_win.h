#pragma once

#include "base/DialogBase_win.h"

#include <string>
#include <vector>

// "Choose a Quilbar": the running wedges, one line each, when there are several to follow.
class CWedgeChooserDlg : public CDialogBase
{
public:
  explicit CWedgeChooserDlg(std::vector<std::string> rgstrLines);

  // The chosen line after OK, or -1.
  int choice() const { return m_nChoice; }

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;

private:
  std::vector<std::string> m_rgstrLines;
  int m_nChoice = -1;
};
