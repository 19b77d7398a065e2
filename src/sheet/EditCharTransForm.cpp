#include "EditCharTransForm.h"

#include "dialogs/ControlValues.h"
#include "SettingsResourceIds.h"
#include "base/Assert.h"
#include "base/DataConv.h"
#include "keyboard/KeyTranslator.h"

#include <cstdio>
#include <cstdlib>

const char EditCharTransForm::kszInvalidKeyCode[] = "Invalid value for key code. Valid values are 0 to 255 inclusive.";

namespace
{
std::string formatted(const char* pszFormat, int nFirst, int nSecond)
{
  char sz[64];
  std::snprintf(sz, sizeof sz, pszFormat, nFirst, nSecond);
  return sz;
}

// Read like atoi: blanks, a sign, digits up to the first other character; 0 for none. Saturated,
// so a long run of digits cannot overflow.
int leadingInteger(const std::string& strText)
{
  size_t i = 0;
  while (i < strText.size() && (strText[i] == ' ' || strText[i] == '\t'))
    ++i;
  bool fNegative = false;
  if (i < strText.size() && (strText[i] == '+' || strText[i] == '-'))
    fNegative = strText[i++] == '-';
  long long nValue = 0;
  for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i)
  {
    if (nValue < 100000000)
      nValue = nValue * 10 + (strText[i] - '0');
  }
  return static_cast<int>(fNegative ? -nValue : nValue);
}

// A key code is one to three digits, nothing else: an empty or mistyped field is refused rather
// than taken for key code 0.
bool parseKeyCode(const std::string& strText, int& nKeyCode)
{
  if (strText.empty() || strText.size() > static_cast<size_t>(EditCharTransForm::kcchMaxKeyCode))
    return false;
  int nValue = 0;
  for (char ch : strText)
  {
    if (ch < '0' || ch > '9')
      return false;
    nValue = nValue * 10 + (ch - '0');
  }
  if (nValue > 255)
    return false;
  nKeyCode = nValue;
  return true;
}

struct FlagControl
{
  int nId;
  bool (KeyTranslator::*pfnGet)() const;
  bool (KeyTranslator::*pfnSet)(bool);
};

const FlagControl krgFlags[] = {
    {IDC_EDITCHAR_ACTIVE, &KeyTranslator::getValid, &KeyTranslator::setValid},
    {IDC_EDITCHAR_SHIFT, &KeyTranslator::getShift, &KeyTranslator::setShift},
    {IDC_EDITCHAR_CONTROL, &KeyTranslator::getControl, &KeyTranslator::setControl},
    {IDC_EDITCHAR_ALT, &KeyTranslator::getAlt, &KeyTranslator::setAlt},
    {IDC_EDITCHAR_DIACRITIC, &KeyTranslator::getDiacritic, &KeyTranslator::setDiacritic},
    {IDC_EDITCHAR_CAPS, &KeyTranslator::getCapsDependent, &KeyTranslator::setCapsDependent},
    {IDC_EDITCHAR_EXTENDED, &KeyTranslator::getExtended, &KeyTranslator::setExtended},
};
}  // namespace

void EditCharTransForm::load(const KeyTranslator& translator, ControlValues& controls)
{
  int nASCII = translator.getASCII();
  controls.setText(IDC_EDITCHAR_CHARACTER,
                   nASCII < 32 ? std::string(DataConv::mnemonic(nASCII)) : std::string(1, static_cast<char>(nASCII)));
  controls.setText(IDC_EDITCHAR_ASCII, formatted("%d 0x%02x", nASCII, nASCII));
  controls.setText(IDC_EDITCHAR_KEYCODE, std::to_string(translator.getKeyCode()));
  controls.setText(IDC_EDITCHAR_KEYCODE_HEX, hexOfKeyCode(std::to_string(translator.getKeyCode())));
  for (const FlagControl& flag : krgFlags)
    controls.setChecked(flag.nId, (translator.*flag.pfnGet)());
}

std::string EditCharTransForm::hexOfKeyCode(const std::string& strKeyCodeText)
{
  char sz[32];
  std::snprintf(sz, sizeof sz, "0x%02x", static_cast<unsigned>(leadingInteger(strKeyCodeText)));
  return sz;
}

std::string EditCharTransForm::testerText(int nVirtualKey)
{
  return formatted("dec %d hex 0x%02x", nVirtualKey, nVirtualKey);
}

std::string EditCharTransForm::keyCodeOfTesterText(const std::string& strTesterText)
{
  return std::to_string(strTesterText.size() > 4 ? leadingInteger(strTesterText.substr(4)) : 0);
}

EditCharTransForm::Outcome EditCharTransForm::store(const ControlValues& controls, KeyTranslator& translator)
{
  Outcome outcome;
  int nKeyCode = 0;
  if (!parseKeyCode(controls.getText(IDC_EDITCHAR_KEYCODE), nKeyCode))
  {
    outcome.fStored = false;
    outcome.strMessage = kszInvalidKeyCode;
    outcome.nFocusId = IDC_EDITCHAR_KEYCODE;
    return outcome;
  }
  QB_ASSERT(true == translator.setKeyCode(nKeyCode));
  for (const FlagControl& flag : krgFlags)
    QB_ASSERT(true == (translator.*flag.pfnSet)(controls.isChecked(flag.nId)));
  return outcome;
}
