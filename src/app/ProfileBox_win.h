#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The main window's profile box, an editable drop-down of the profile names kept sorted by the
// box. The window wraps each change that is not the user's in its fill guard.
class ProfileBox
{
public:
  void attach(HWND hwndCombo) { m_hwndCombo = hwndCombo; }

  std::vector<std::string> names() const;
  // A name that is an entry of the list (exactly, letter case included) is shown selected; any
  // other is shown as typed text. The caret goes to its end.
  void show(const std::string& strText);
  void fill(const std::vector<std::string>& rgstrNames);
  void select(size_t nIndex);
  // The entry the user picked; false when none is selected.
  bool selectedName(std::string& strName) const;
  // The list still switches profiles; only the edit field takes no typing.
  void allowTyping(bool fAllowed);

private:
  HWND m_hwndCombo = nullptr;
};
