#pragma once

#include "base/DialogBase_win.h"

class KeyTranslatorMap;

// "Character Translation": the 256 key translators of a profile, one line each, with "&Edit..."
// for the selected one and "&Default" for the built-in table. Works on the map it is given.
class CCharTransDialog : public CDialogBase
{
public:
  explicit CCharTransDialog(KeyTranslatorMap& mapKeyTranslator);

protected:
  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;

private:
  void setTabStops();
  void fillList(int nSelection);
  void editSelected();
  void revertToDefault();

  KeyTranslatorMap& m_mapKeyTranslator;
};
