#include "SettingsSheetPages.h"

#include "SettingsResourceIds.h"
#include "base/Assert.h"

const char SettingsSheetPages::kszCaption[] = "Settings";
const char SettingsSheetPages::kszMessageCaption[] = "Quilbar";

const char* SettingsSheetPages::title(unsigned nPage)
{
  static const char* const krgszTitles[kcPages] = {"Communication", "Keyboard", "Window",
                                                   "Initialization", "Log", "Data Editing"};
  QB_ASSERT(nPage < kcPages);
  return krgszTitles[nPage];
}

unsigned SettingsSheetPages::startPage(uint32_t dwStoredPage)
{
  return dwStoredPage < kcPages ? static_cast<unsigned>(dwStoredPage) : 0u;
}

const std::vector<SettingsSheetPages::SpinRange>& SettingsSheetPages::spinRanges()
{
  static const std::vector<SpinRange> krgRanges = {
      {IDC_COMMUNICATION_FILTER_TIME, IDC_COMMUNICATION_FILTER_SPIN, 0, 10000},
      {IDC_KEYBOARD_DELAY, IDC_KEYBOARD_DELAY_SPIN, 0, 10000},
      {IDC_WINDOW_HOLD_TIME, IDC_WINDOW_HOLD_SPIN, 1, 3600},
      {IDC_DATAEDITING_TIMEOUT, IDC_DATAEDITING_TIMEOUT_SPIN, 0, 10000},
  };
  return krgRanges;
}
