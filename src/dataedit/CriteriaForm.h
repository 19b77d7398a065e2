#pragma once

#include "engine/Criteria.h"

#include <string>
#include <vector>

// The rules of the "Criteria" dialog: which controls each kind enables, the checks of OK in their
// order with the message and the control to focus, and what OK stores.
class CriteriaForm
{
public:
  // The dialog's values, as the controls hold them.
  struct Fields
  {
    Criteria::Kind kind = Criteria::kindLength;
    std::string strMinLength;
    std::string strMaxLength;
    std::string strStartPosition;
    std::string strExpression;
    std::string strFieldsPresent;
    std::string strFieldsNotPresent;
  };

  enum class Verdict
  {
    Accept,          // store the fields and close
    Refuse,          // show the message, focus the control, stay open
    AskWildcard,     // ask the Yes/No question: Yes appends "*" and stays open, No accepts
    SwitchToString,  // show the message, choose the String kind and stay open
  };

  struct Check
  {
    Verdict verdict = Verdict::Accept;
    std::string strMessage;
    int nFocusId = 0;
  };

  static const char kszMinTooSmall[];
  static const char kszMaxTooSmall[];
  static const char kszMinAboveMax[];
  static const char kszStartTooSmall[];
  static const char kszEmptyExpression[];
  static const char kszNoFields[];
  static const char kszNonNumericField[];

  static Fields fieldsOf(const Criteria& criteria);

  // The radio button of a kind, and the kind of a radio button.
  static int radioOf(Criteria::Kind kind);
  // Every control that belongs to one kind, labels included.
  static const std::vector<int>& kindControls();
  static bool isEnabledFor(int nControlId, Criteria::Kind kind);

  static Check check(const Fields& fields);
  // The wildcard question, with the expression three times.
  static std::string wildcardQuestion(const std::string& strExpression);
  // Yes to the question.
  static std::string withWildcard(const std::string& strExpression) { return strExpression + "*"; }

  // Makes the criterion the checked kind with that kind's values; the other values stay.
  static void apply(const Fields& fields, Criteria& criteria);

  // A number typed into one of the three fields: blanks around digits with an optional sign;
  // false for anything else and for values beyond the integer range.
  static bool parseNumber(const std::string& strText, int& nValue);

private:
  static Check checkLength(const Fields& fields);
  static Check checkString(const Fields& fields);
  static Check checkEAN128(const Fields& fields);
};
