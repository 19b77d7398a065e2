#pragma once

#include "dialogs/DataEditingMessage.h"

#include <string>

class TypingRule;

// The rules of "Typing Rule": the checks of OK in their order, which controls are usable, and what
// OK stores.
class TypingRuleForm
{
public:
  static const char kszEmptyTitle[];
  static const char kszControlTextInvalid[];

  struct Values
  {
    std::string strTitle;
    std::string strClass;
    int nTextMethod = 0;
    int nControlMethod = 0;
    std::string strControlText;
  };

  static Values valuesOf(const TypingRule& rule);
  static DataEditingMessage check(const Values& values, int nTitleId, int nControlTextId);
  // The text is asked for only when control characters are typed as a text.
  static bool controlTextEnabled(int nControlMethod);
  static void apply(const Values& values, TypingRule& rule);
};
