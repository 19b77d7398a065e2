#pragma once

#include "keyboard/TargetKeyboard.h"

#include <map>
#include <string>

namespace keyboardtest
{
// A keyboard layout as a table of the characters tests type, with what the window takes.
class TableKeyboard : public TargetKeyboard
{
public:
  bool keyOf(unsigned nCode, LayoutKey& key) const override
  {
    auto it = m_keys.find(nCode);
    if (it == m_keys.end())
      return false;
    key = it->second;
    return true;
  }
  int scanCodeOf(int nVirtualKey) const override
  {
    for (const auto& entry : m_keys)
      if (entry.second.nVirtualKey == nVirtualKey)
        return entry.second.nScanCode;
    return 0;
  }
  bool takesUnicode() const override { return m_fUnicode; }
  bool takesAltNumpad() const override { return m_fAltNumpad; }

  std::string m_strName;
  std::map<unsigned, LayoutKey> m_keys;
  bool m_fUnicode = true;
  bool m_fAltNumpad = true;
};

// What Windows' US, German and French layouts give for the letters, digits and punctuation of
// "Café-12/3@x.de" and a few more.
TableKeyboard usLayout();
TableKeyboard germanLayout();
TableKeyboard frenchLayout();
}  // namespace keyboardtest
