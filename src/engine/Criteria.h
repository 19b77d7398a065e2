#pragma once

#include <string>

class Registry;
#include <vector>

// One condition a data string must meet for a data editing format to apply: a length range, a
// pattern at a start position, or GS1-128 fields present and absent. Every field exists in every
// kind; only those of the current kind take part in matching.
class Criteria
{
public:
  // Values as stored in the registry.
  enum Kind
  {
    kindLength = 0,
    kindStringExpression = 1,
    kindEAN128 = 2
  };

  // Receives the warning about an expression that cannot be converted from the notation. The
  // Windows build shows it in a message box; tests install a recorder.
  using ExpressionAlert = void (*)(const char* pszMessage);

  Criteria();
  Criteria(const Criteria& criteria);
  Criteria& operator=(const Criteria& criteria);
  virtual ~Criteria() = default;

  void reset();

  void setKindLength() { m_kind = kindLength; }
  void setKindStringExpression() { m_kind = kindStringExpression; }
  void setKindEAN128() { m_kind = kindEAN128; }
  bool isKindLength() const { return m_kind == kindLength; }
  bool isKindStringExpression() const { return m_kind == kindStringExpression; }
  bool isKindEAN128() const { return m_kind == kindEAN128; }
  Kind getKind() const { return m_kind; }

  // The numeric setters refuse values below 1 and leave the field unchanged.
  bool setMinLength(int nMinLength);
  bool setMaxLength(int nMaxLength);
  bool setStartPosition(int nStartPosition);
  bool setExpression(const std::string& strExpression);
  bool setFieldsPresent(const std::string& strFieldsPresent);
  bool setFieldsNotPresent(const std::string& strFieldsNotPresent);

  int getMinLength() const { return m_nMinLength; }
  int getMaxLength() const { return m_nMaxLength; }
  int getStartPosition() const { return m_nStartPosition; }
  const std::string& getExpression() const { return m_strExpression; }
  const std::string& getFieldsPresent() const { return m_strFieldsPresent; }
  const std::string& getFieldsNotPresent() const { return m_strFieldsNotPresent; }

  // The text shown in the criteria list and the key of the criterion in its map.
  std::string getDescription() const;

  bool matches(const char* pszData) const;
  bool matches(const std::string& strData) const { return matches(strData.c_str()); }

  // The AIs of a fields list ("01, 10" or "01,\"10\""), up to the first empty item.
  static std::vector<std::string> walkAIList(const std::string& strList);

  // Registry storage in one "Criteria%d" key; load fails with the message in strError.
  bool loadFromRegistry(const Registry& regKey, std::string& strError);
  bool saveToRegistry(Registry& regKey) const;

  // Installs the receiver of the invalid-expression warning; returns the previous one.
  static ExpressionAlert setExpressionAlert(ExpressionAlert pfnAlert);

private:
  bool matchesLength(const char* pszData) const;
  bool matchesStringExpression(const char* pszData) const;
  bool matchesEAN128(const char* pszData) const;

  Kind m_kind;
  int m_nMinLength;
  int m_nMaxLength;
  int m_nStartPosition;
  std::string m_strExpression;
  std::string m_strFieldsPresent;
  std::string m_strFieldsNotPresent;

  // The expression and the AI lists are converted once when they are set, not for every data
  // string.
  bool m_fPatternValid;
  std::string m_strPattern;
  // The invalid-expression alert has been shown for this expression (copies and a new expression
  // show it again).
  mutable bool m_fAlertShown = false;
  std::vector<std::string> m_rgstrAIsPresent;
  std::vector<std::string> m_rgstrAIsNotPresent;
};

// Shows the invalid-expression warning the platform's way; the default ExpressionAlert.
void showCriteriaExpressionAlert(const char* pszMessage);
