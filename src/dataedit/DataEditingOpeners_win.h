#pragma once

#include "DataEditingDialogs_win.h"

#include <windows.h>

#include <functional>

class QuilbarProfile;
class ReplacementMap;

// The data editing dialogs the "Data Editing" page opens: the real ones unless a test puts its
// own in their place.
struct DataEditingOpeners
{
  std::function<bool(HWND, QuilbarProfile&)> fnFormats = runDataEditFormatsDialog;
  std::function<bool(HWND, ReplacementMap&)> fnReplacements = runReplacementsDialog;
  std::function<void(HWND, const QuilbarProfile&)> fnFormatTest = runFormatTestDialog;
  std::function<void(HWND, const ReplacementMap&)> fnReplacementTest = runReplacementTestDialog;
};
