#pragma once

// Identifiers of Quilbar's resources, shared by the resource scripts, the dialog code and the
// tests. No windows.h here: windres, the portable form classes and the tests all read this file.
// Names carry the dialog and the control kind: IDD_<DIALOG>, IDC_<DIALOG>_<CONTROL>.
//
// Ranges, so that every family of dialogs can grow without touching the others:
//   100-199   icons, bitmaps, strings and dialog templates of the program and main window
//   1000-1099 controls of the main window (their numbers are part of the program's outside face)
//   1100-1999 the settings sheet, its pages and the small dialogs they open
//   2000-2999 the data editing dialogs (formats, criteria, replacements, test dialogs)
//   3000-3999 dialog templates of the settings sheet (IDD_ values)
//   4000-4999 dialog templates of the data editing dialogs (IDD_ values)

// ---- Icons (resource numbers of the icon groups are fixed) -------------------------------------
#define IDR_MAINFRAME 128
#define IDI_TRAY_NODATA 130
#define IDI_TRAY_DATA1 131
#define IDI_TRAY_DATA2 132
#define IDI_TRAY_FAILED 136
#define IDI_TRAY_DATA3 137

// ---- Strings ------------------------------------------------------------------------------------
#define IDS_PORT_OPEN_FAILED 103
#define IDS_PORT_SETTINGS_FAILED 121

// ---- Main window --------------------------------------------------------------------------------
#define IDD_QUILBAR_DIALOG 102
// IDOK (1) is "&Unload"; IDCANCEL (2) is hidden and makes Escape and the close box hide the window.
#define IDC_MAIN_HIDE 1002
#define IDC_MAIN_SETTINGS 1003
#define IDC_MAIN_PROFILE 1042
#define IDC_MAIN_DELETE 1044
// The "Profile:" label has no id of its own.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The families below the program keep their identifiers beside their dialogs.
#include "sheet/SettingsResourceIds.h"
#include "dataedit/DataEditingResourceIds.h"
