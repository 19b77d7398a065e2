#pragma once

#include "base/DialogBase_win.h"
#include "engine/ReplacementMap.h"

// "Test Input Data Replacements": runs a typed data string through the replacements and shows
// how many were made and the result.
class CReplacementTestDialog : public CDialogBase
{
public:
  explicit CReplacementTestDialog(const ReplacementMap& replacements);

protected:
  bool onCommand(int nId, int nCode, HWND hwndControl) override;

private:
  void runTest();

  const ReplacementMap& m_replacements;
};
