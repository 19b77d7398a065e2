#pragma once

#include "base/DialogBase_win.h"

#include <string>

// "Select Data String Terminator": a list of every byte value 1 to 255; choosing a row makes the
// terminator that single byte.
class CSelectTerminatorDialog : public CDialogBase
{
public:
  explicit CSelectTerminatorDialog(const std::string& strTerminator);

  // The terminator in the notation: the chosen row's byte, or the one given when none was chosen.
  const std::string& terminator() const { return m_strTerminator; }

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;

private:
  std::string m_strTerminator;
};
