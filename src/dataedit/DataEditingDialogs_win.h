#pragma once

#include <windows.h>

class QuilbarProfile;
class ReplacementMap;

// The data editing dialogs, opened from the settings sheet's "Data Editing" page.

// "Data Editing Formats" on a copy of the whole profile, whose format map it edits; true on OK.
bool runDataEditFormatsDialog(HWND hwndOwner, QuilbarProfile& profileCopy);
// "Input Data Replacements" on a copy of the replacement map; true on OK.
bool runReplacementsDialog(HWND hwndOwner, ReplacementMap& replacementsCopy);
// "Test Data Editing Formats" on the profile being edited (nothing is typed or delivered).
void runFormatTestDialog(HWND hwndOwner, const QuilbarProfile& profile);
// "Test Input Data Replacements" on the replacement map being edited.
void runReplacementTestDialog(HWND hwndOwner, const ReplacementMap& replacements);
