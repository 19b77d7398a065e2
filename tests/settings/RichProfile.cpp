#include "RichProfile.h"

#include "ProfileSamples.h"

std::unique_ptr<Criteria> stringCriteria(int nStart, const char* pszExpr)
{
  auto p = std::make_unique<Criteria>();
  p->setKindStringExpression();
  p->setStartPosition(nStart);
  p->setExpression(pszExpr);
  return p;
}

std::unique_ptr<Replacement> replacement(int nOrder, const char* pszInput, const char* pszReplace)
{
  auto p = std::make_unique<Replacement>();
  p->setOrder(nOrder);
  p->setInput(pszInput);
  p->setReplace(pszReplace);
  return p;
}

QuilbarProfile richProfile()
{
  QuilbarProfile profile = profileWithNothingAtDefault();
  profile.setName("Line1");
  profile.setTitles({"*Notepad", "Untitled - ?aint", "\xC5rsredovisning*"});
  profile.setGS1InputForms(7);

  DataEditFormatMap& formats = profile.getDataEditFormatMap();
  formats.lookup("Default")->setOrder(2);
  auto pGs1 = std::make_unique<DataEditFormat>();
  pGs1->setName("GS1");
  pGs1->setOrder(0);
  pGs1->setOutput("Field(\"01\") + \"<TAB>\" + Field(\"10\")");
  auto pEan = std::make_unique<Criteria>();
  pEan->setKindEAN128();
  pEan->setFieldsPresent("01, 10");
  pEan->setFieldsNotPresent("21");
  pGs1->getCriteriaMap().add(std::move(pEan));
  auto pLength = std::make_unique<Criteria>();
  pLength->setMinLength(20);
  pLength->setMaxLength(48);
  pGs1->getCriteriaMap().add(std::move(pLength));
  formats.add("GS1", std::move(pGs1));
  auto pPrefix = std::make_unique<DataEditFormat>();
  pPrefix->setName("Prefix");
  pPrefix->setOrder(1);
  pPrefix->setOutput("Mid(Input(), 3)");
  pPrefix->getCriteriaMap().add(stringCriteria(1, "AB*"));
  formats.add("Prefix", std::move(pPrefix));

  KeyTranslator& enter = profile.getKeyTranslatorMap().entryOf(0x0D);
  enter.setKeyCode(0x09);
  enter.setShift(true);
  profile.getKeyTranslatorMap().entryOf(0xE5).setValid(false);

  profile.getReplacementMap().add(replacement(0, "<GS>", "|"));
  profile.getReplacementMap().add(replacement(1, "ab", ""));

  KeyTranslator& deadKey = profile.getKeyTranslatorMap().entryOf(0xA8);
  deadKey = KeyTranslator(0xA8, 0xBA, true, false, false, false, true, true, false);
  profile.getKeyTranslatorMap().entryOf('\r').setValid(false);

  TypingRule console, browser;
  console.setTitle("*cmd.exe");
  console.setClass("ConsoleWindowClass");
  console.setTextMethod(TypingRule::kTextLayoutKeys);
  browser.setTitle("* - Browser");
  browser.setControlMethod(TypingRule::kControlText);
  browser.setControlText("<RS>|");
  profile.getTypingRules().setRules({console, browser});
  return profile;
}
