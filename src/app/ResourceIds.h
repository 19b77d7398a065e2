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

// ---- Settings sheet, pages and their small dialogs (1100-1999, templates 3000-3999) ------------

// ---- Data editing dialogs (2000-2999, templates 4000-4999) -------------------------------------
// The bitmaps of the owner-drawn arrow buttons are the named resources "MOVEUP" and "MOVEDOWN".
#define IDD_DATAEDITFORMATS 4000
#define IDD_FORMATEDITOR 4001
#define IDD_CRITERIA 4002
#define IDD_REPLACEMENTS 4003
#define IDD_REPLACEMENT 4004
#define IDD_FORMATTEST 4005
#define IDD_REPLACEMENTTEST 4006

// "Data Editing Formats"
#define IDC_DATAEDITFORMATS_TEXT 2000
#define IDC_DATAEDITFORMATS_LIST 2001
#define IDC_DATAEDITFORMATS_MOVEUP 2002
#define IDC_DATAEDITFORMATS_MOVEDOWN 2003
#define IDC_DATAEDITFORMATS_ADD 2004
#define IDC_DATAEDITFORMATS_EDIT 2005
#define IDC_DATAEDITFORMATS_REMOVE 2006

// The format editor ("Add Data Editing Format", "Edit Data Editing Format")
#define IDC_FORMATEDITOR_NAME 2050
#define IDC_FORMATEDITOR_CRITERIA 2051
#define IDC_FORMATEDITOR_ADD 2052
#define IDC_FORMATEDITOR_EDIT 2053
#define IDC_FORMATEDITOR_REMOVE 2054
#define IDC_FORMATEDITOR_OUTPUT 2055
// The result of the syntax check of the output expression, renewed as the user types.
#define IDC_FORMATEDITOR_STATUS 2056

// "Criteria" ("Add Criteria", "Edit Criteria")
#define IDC_CRITERIA_LENGTH 2100
#define IDC_CRITERIA_STRING 2101
#define IDC_CRITERIA_EAN128 2102
#define IDC_CRITERIA_MIN 2103
#define IDC_CRITERIA_MIN_SPIN 2104
#define IDC_CRITERIA_MAX 2105
#define IDC_CRITERIA_MAX_SPIN 2106
#define IDC_CRITERIA_START 2107
#define IDC_CRITERIA_START_SPIN 2108
#define IDC_CRITERIA_EXPRESSION 2109
#define IDC_CRITERIA_PRESENT 2110
#define IDC_CRITERIA_NOT_PRESENT 2111
#define IDC_CRITERIA_MIN_LABEL 2112
#define IDC_CRITERIA_MAX_LABEL 2113
#define IDC_CRITERIA_START_LABEL 2114
#define IDC_CRITERIA_EXPRESSION_LABEL 2115
#define IDC_CRITERIA_PRESENT_LABEL 2116
#define IDC_CRITERIA_NOT_PRESENT_LABEL 2117

// "Input Data Replacements"
#define IDC_REPLACEMENTS_TEXT 2150
#define IDC_REPLACEMENTS_LIST 2151
#define IDC_REPLACEMENTS_MOVEUP 2152
#define IDC_REPLACEMENTS_MOVEDOWN 2153
#define IDC_REPLACEMENTS_ADD 2154
#define IDC_REPLACEMENTS_EDIT 2155
#define IDC_REPLACEMENTS_REMOVE 2156
#define IDC_REPLACEMENTS_SEARCH_HEADER 2157
#define IDC_REPLACEMENTS_REPLACE_HEADER 2158

// "Input Data Replacement" ("Add Input Data Replacement", "Edit Input Data Replacement")
#define IDC_REPLACEMENT_SEARCH 2200
#define IDC_REPLACEMENT_REPLACE 2201

// "Test Data Editing Formats"; "&Close" is IDCANCEL, so Escape closes too.
#define IDC_FORMATTEST_INPUT 2250
#define IDC_FORMATTEST_TEST 2251
#define IDC_FORMATTEST_FORMAT 2252
#define IDC_FORMATTEST_DATA_OUTPUT 2253
#define IDC_FORMATTEST_KEYBOARD_OUTPUT 2254

// "Test Input Data Replacements"; "&Close" is IDCANCEL.
#define IDC_REPLACEMENTTEST_INPUT 2300
#define IDC_REPLACEMENTTEST_TEST 2301
#define IDC_REPLACEMENTTEST_COUNT 2302
#define IDC_REPLACEMENTTEST_DATA_OUTPUT 2303
