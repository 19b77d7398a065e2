#pragma once

#include "base/DialogBase_win.h"

class KeyTranslator;

// "Edit Character Translation": one key translator, with a key tester that fills in the virtual
// key code of a key pressed in it. OK stores the fields into the translator given.
class CEditCharTransDialog : public CDialogBase
{
public:
  explicit CEditCharTransDialog(KeyTranslator& translator);

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  void onOk() override;

private:
  static LRESULT CALLBACK testerProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                     DWORD_PTR dwRefData);

  KeyTranslator& m_translator;
};
