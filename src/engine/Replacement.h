#pragma once

#include <string>

class Registry;

// One input data replacement: every occurrence of Input in a data string becomes Replace. Both
// texts are kept in the control-character notation, as the user typed them.
class Replacement
{
public:
  Replacement();
  Replacement(const Replacement& replacement);
  Replacement& operator=(const Replacement& replacement);
  virtual ~Replacement() = default;

  void reset();

  // Refuses a negative order.
  bool setOrder(int nOrder);
  bool setInput(const std::string& strInput);
  bool setReplace(const std::string& strReplace);

  int getOrder() const { return m_nOrder; }
  const std::string& getInput() const { return m_strInput; }
  const std::string& getReplace() const { return m_strReplace; }

  // "Input<TAB>Replace": the key in the map and the line in the replacements list.
  std::string getKey() const;
  static std::string makeKey(const std::string& strInput, const std::string& strReplace);

  // Registry storage in one "Replacement%d" key.
  bool loadFromRegistry(const Registry& regKey, std::string& strError);
  bool saveToRegistry(Registry& regKey) const;

  // Replaces every non-overlapping occurrence in strData, left to right, and returns how many.
  // Texts that are not valid notation replace nothing.
  int apply(std::string& strData) const;

private:
  int m_nOrder;
  std::string m_strInput;
  std::string m_strReplace;

  // Both texts converted once when set, not for every data string.
  bool m_fRawInputValid;
  bool m_fRawReplaceValid;
  std::string m_strRawInput;
  std::string m_strRawReplace;
};
