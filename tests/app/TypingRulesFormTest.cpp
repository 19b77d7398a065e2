#include "sheet/TypingRuleForm.h"
#include "sheet/TypingRulesForm.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TypingRule ruleFor(const char* pszTitle, const char* pszClass = "", int nText = 0, int nControl = 0,
                   const char* pszText = "")
{
  TypingRule rule;
  rule.setTitle(pszTitle);
  rule.setClass(pszClass);
  rule.setTextMethod(nText);
  rule.setControlMethod(nControl);
  rule.setControlText(pszText);
  return rule;
}

// An editor that puts the given rule into the dialog's record and answers OK (or Cancel).
TypingRulesForm::RuleEditor editorGiving(const TypingRule& rule, bool fOk = true)
{
  return [rule, fOk](TypingRule& edited, const std::string&) {
    if (fOk)
      edited = rule;
    return fOk;
  };
}

TEST(TypingRulesFormTest, ListEditsKeepTheOrderAndRefuseRulesThatCouldNeverApply)
{
  TypingRuleList list;
  list.setRules({ruleFor("*cmd.exe", "ConsoleWindowClass", 1), ruleFor("* - Browser", "", 0, 2)});
  TypingRulesForm form(list);
  EXPECT_EQ((std::vector<std::string>{"*cmd.exe\tConsoleWindowClass\tLayout keys\tKey map",
                                      "* - Browser\t\tUnicode\tAlt+numpad"}),
            form.lines());
  std::vector<std::string> rgstrErrors;
  auto fnError = [&](const std::string& strMessage) { rgstrErrors.push_back(strMessage); };

  form.select(1);
  form.add(editorGiving(ruleFor("Till*", "", 0, 3, "|")), fnError);
  EXPECT_EQ(1, form.selection()) << "added before the selected line";
  form.add(editorGiving(ruleFor("* - Browser")), fnError);
  EXPECT_EQ((std::vector<std::string>{
                "A typing rule for the title \"* - Browser\" and the class \"\" already exists."}),
            rgstrErrors);
  form.select(0);
  form.edit(editorGiving(ruleFor("Till*")), fnError);
  EXPECT_EQ(2u, rgstrErrors.size()) << "an edit onto another rule's patterns is refused too";
  EXPECT_EQ("*cmd.exe\tConsoleWindowClass\tLayout keys\tKey map", form.lines()[0]);
  form.edit(editorGiving(ruleFor("*cmd.exe", "ConsoleWindowClass", 2)), fnError);
  form.moveDown();

  EXPECT_EQ("Till*\t\tUnicode\tText |", form.test("Till 3", "Anything"));
  EXPECT_EQ("", form.test("Untitled - Notepad", "Notepad")) << "no rule applies";
  form.select(2);
  form.remove();
  form.commitOrder();
  TypingRuleList result = form.result();
  ASSERT_EQ(2u, result.rules().size());
  EXPECT_EQ("Till*", result.rules()[0].getTitle());
  EXPECT_EQ(TypingRule::kTextAltNumpad, result.rules()[1].getTextMethod());
  EXPECT_EQ(1, result.rules()[1].getOrder());
}

TEST(TypingRuleFormTest, ChecksInTheirOrder)
{
  enum { kTitle = 10, kText = 20 };
  struct Row
  {
    TypingRuleForm::Values values;
    const char* pszMessage;
    int nFocus;
  } krgRows[] = {
      {{"", "", 0, 3, "<XX"}, TypingRuleForm::kszEmptyTitle, kTitle},
      {{"*", "", 0, 3, "<XX"}, TypingRuleForm::kszControlTextInvalid, kText},
      {{"*", "", 0, 1, "<XX"}, "", 0},
      {{"*", "Edit", 2, 3, "<RS>|"}, "", 0},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.values.strTitle + " / " + row.values.strControlText);
    DataEditingMessage message = TypingRuleForm::check(row.values, kTitle, kText);
    EXPECT_EQ(row.pszMessage, message.strText);
    EXPECT_EQ(row.nFocus, message.nFocusId);
  }
  TypingRule rule;
  TypingRuleForm::apply({"*", "Edit", 2, 3, "<RS>|"}, rule);
  EXPECT_EQ("\x1E|", rule.getRawControlText());
  EXPECT_EQ(TypingRuleForm::valuesOf(rule).strClass, "Edit");
}
}  // namespace
