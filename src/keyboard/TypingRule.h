#pragma once

#include <string>

class Registry;

// How to type into windows whose title and class match: the text's characters by Unicode events,
// by the keys of the target's keyboard layout or by Alt+numpad codes, and control characters as
// the key map says, as Ctrl+key, as Alt+numpad codes or as a replacement text.
class TypingRule
{
public:
  enum TextMethod
  {
    kTextUnicode = 0,
    kTextLayoutKeys = 1,
    kTextAltNumpad = 2,
  };
  enum ControlMethod
  {
    kControlKeyMap = 0,
    kControlCtrlKey = 1,
    kControlAltNumpad = 2,
    kControlText = 3,
  };

  bool setOrder(int nOrder);
  bool setTitle(const std::string& strTitle) { m_strTitle = strTitle; return true; }
  bool setClass(const std::string& strClass) { m_strClass = strClass; return true; }
  // 0 ... 2; any other number is refused.
  bool setTextMethod(int nMethod);
  // 0 ... 3; any other number is refused.
  bool setControlMethod(int nMethod);
  // In the control-character notation; a text that is not valid notation types nothing.
  bool setControlText(const std::string& strText);

  int getOrder() const { return m_nOrder; }
  const std::string& getTitle() const { return m_strTitle; }
  const std::string& getClass() const { return m_strClass; }
  int getTextMethod() const { return m_nTextMethod; }
  int getControlMethod() const { return m_nControlMethod; }
  const std::string& getControlText() const { return m_strControlText; }
  // The control text's bytes, up to a first zero byte.
  const std::string& getRawControlText() const { return m_strRawControlText; }

  // The title pattern with the window lock's wild cards, and the class pattern unless empty.
  bool matches(const std::string& strTitle, const std::string& strClass) const;

  // Registry storage in one "TypingRule%d" key.
  bool loadFromRegistry(const Registry& regKey, std::string& strError);
  bool saveToRegistry(Registry& regKey) const;

  bool operator==(const TypingRule& other) const;
  bool operator!=(const TypingRule& other) const { return !(*this == other); }

private:
  int m_nOrder = 0;
  std::string m_strTitle = "*";
  std::string m_strClass;
  int m_nTextMethod = kTextUnicode;
  int m_nControlMethod = kControlKeyMap;
  std::string m_strControlText;
  std::string m_strRawControlText;
};
