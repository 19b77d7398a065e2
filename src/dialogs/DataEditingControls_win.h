#pragma once

#include "DataEditingMessage.h"

#include <windows.h>

#include <string>
#include <vector>

// Small control chores shared by the data editing dialogs.
namespace dataediting
{
// The caption of every message box these dialogs show.
extern const char kszMessageCaption[];

// Replaces the list box's lines and selects one (-1: none), keeping it in view.
void showListLines(HWND hwndList, const std::vector<std::string>& rgstrLines, int nSelection);
// The selected line of a single-selection list box, or -1.
int listSelection(HWND hwndList);

// Enables or disables a control. A control that has the focus hands it to hwndFallback before it
// is disabled: a dialog whose focus sits on a disabled control no longer hears the keyboard.
void enableKeepingFocus(HWND hwndDialog, int nId, bool fEnabled, int nFallbackId);

// Shows the message (caption "Quilbar", its icon) and then focuses its control, if it names one.
void showMessage(HWND hwndDialog, const DataEditingMessage& message);
}  // namespace dataediting
