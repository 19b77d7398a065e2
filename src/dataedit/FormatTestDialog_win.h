#pragma once

#include "FormatTestOutput.h"
#include "base/DialogBase_win.h"
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/TesselBinding_win.h"
#include "settings/QuilbarProfile.h"

#include <memory>

class BackgroundEvaluation;

// "Test Data Editing Formats": runs a typed data string through the profile's choice of format
// and its output expression, and shows the format, the output piece by piece and the keys that
// typing it would press. Nothing is typed or delivered; the expression's other actions do act.
class CFormatTestDialog : public CDialogBase
{
public:
  explicit CFormatTestDialog(const QuilbarProfile& profile);

protected:
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onCancel() override;
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

private:
  void runTest();
  void startEvaluation(const std::string& strExpression, const std::string& strData, const std::string& strSymbology);
  void showPieces();
  void finishEvaluation();
  void showResults();
  bool isRunning() const { return m_pEvaluation != nullptr; }

  QuilbarProfile m_profile;
  SystemForegroundWindow m_foregroundWindow;
  // Never bound here: it reads the caps-lock state through the binding the program made.
  TesselBinding m_capsLock;
  FormatTestOutput m_output;
  std::shared_ptr<BackgroundEvaluation> m_pEvaluation;
};
