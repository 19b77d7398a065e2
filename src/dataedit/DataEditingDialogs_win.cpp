#include "DataEditingDialogs_win.h"

#include "DataEditFormatsDialog_win.h"
#include "FormatTestDialog_win.h"
#include "ReplacementTestDialog_win.h"
#include "ReplacementsDialog_win.h"

bool runDataEditFormatsDialog(HWND hwndOwner, QuilbarProfile& profileCopy)
{
  CDataEditFormatsDialog dialog(profileCopy);
  return dialog.runModal(hwndOwner) == IDOK;
}

bool runReplacementsDialog(HWND hwndOwner, ReplacementMap& replacementsCopy)
{
  CReplacementsDialog dialog(replacementsCopy);
  return dialog.runModal(hwndOwner) == IDOK;
}

void runFormatTestDialog(HWND hwndOwner, const QuilbarProfile& profile)
{
  CFormatTestDialog dialog(profile);
  dialog.runModal(hwndOwner);
}

void runReplacementTestDialog(HWND hwndOwner, const ReplacementMap& replacements)
{
  CReplacementTestDialog dialog(replacements);
  dialog.runModal(hwndOwner);
}
