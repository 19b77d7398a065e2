#include "DataEditingDialogs_win.h"

// Stands in for the data editing dialogs until they are built: each closes at once with Cancel.
bool runDataEditFormatsDialog(HWND, QuilbarProfile&)
{
  return false;
}

bool runReplacementsDialog(HWND, ReplacementMap&)
{
  return false;
}

void runFormatTestDialog(HWND, const QuilbarProfile&)
{
}

void runReplacementTestDialog(HWND, const ReplacementMap&)
{
}
