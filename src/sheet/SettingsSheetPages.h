#pragma once

#include <cstdint>
#include <vector>

// The settings sheet's frame: its caption, its six pages in order (the index is the stored
// SettingsPage value), and the ranges of its spin controls.
class SettingsSheetPages
{
public:
  static const char kszCaption[];         // "Settings"
  static const char kszMessageCaption[];  // "Quilbar": the caption of the messages of the sheet and its dialogs
  static constexpr unsigned kcPages = 6;
  enum Index : unsigned
  {
    kCommunication = 0,
    kKeyboard = 1,
    kWindow = 2,
    kInit = 3,
    kLog = 4,
    kDataEditing = 5,
  };

  // The tab caption of a page.
  static const char* title(unsigned nPage);
  // The page the sheet opens on: a stored index outside the pages opens the first, as the system's
  // property sheet itself would.
  static unsigned startPage(uint32_t dwStoredPage);

  // An edit field with its spin control and the numbers the spin offers (typing others is allowed).
  struct SpinRange
  {
    int nEditId;
    int nSpinId;
    int nMin;
    int nMax;
  };
  static const std::vector<SpinRange>& spinRanges();
};
