#pragma once

#include "dialogs/DataEditingMessage.h"
#include "engine/DataEditFormat.h"

#include <string>
#include <vector>

// The rules of the format editor: the criteria list (changes reach the format at once), the
// checks of OK in their order, and the status line of the output expression. Name and output
// reach the format only through apply, on OK.
class FormatEditorForm
{
public:
  static const char kszOneLengthCriteria[];
  static const char kszCriteriaExists[];  // with the description
  static const char kszNoName[];
  static const char kszNoCriteria[];
  static const char kszExpressionOk[];

  explicit FormatEditorForm(DataEditFormat& format);

  // The descriptions, one a line, in the order the list shows them.
  const std::vector<std::string>& criteriaLines() const { return m_rgstrLines; }
  const Criteria* criteriaAt(int nLine) const;

  // Adds a copy of the criterion and appends its line; a refused criterion changes nothing and
  // gives the message.
  DataEditingMessage addCriteria(const Criteria& criteria);
  // Replaces the line's criterion by the edited one, on the same line. A refused edit keeps the
  // original criterion and gives the same message as Add.
  DataEditingMessage editCriteria(int nLine, const Criteria& edited);
  void removeCriteria(int nLine);

  // OK: the expression's syntax, then the name, then the criteria.
  DataEditingMessage check(const std::string& strName, const std::string& strOutput) const;
  void apply(const std::string& strName, const std::string& strOutput);

  // "Expression OK", or the syntax check's error text; no action runs.
  static std::string expressionStatus(const std::string& strOutput);

private:
  bool isValidLine(int nLine) const;
  // The reason the map would refuse the criterion, or none.
  DataEditingMessage refusalOf(const Criteria& criteria) const;

  DataEditFormat& m_format;
  std::vector<std::string> m_rgstrLines;
};
