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
// Pages, in the sheet's order (the page index is the template id minus IDD_SETTINGS_COMMUNICATION).
#define IDD_SETTINGS_COMMUNICATION 3000
#define IDD_SETTINGS_KEYBOARD 3001
#define IDD_SETTINGS_WINDOW 3002
#define IDD_SETTINGS_INIT 3003
#define IDD_SETTINGS_LOG 3004
#define IDD_SETTINGS_DATAEDITING 3005
// The small dialogs the pages open, and the password dialogs.
#define IDD_HARDWARE_PIN_EVENTS 3010
#define IDD_SELECT_TERMINATOR 3011
#define IDD_LOCK_OUTPUT_WINDOW 3012
#define IDD_CHAR_TRANS 3013
#define IDD_EDIT_CHAR_TRANS 3014
#define IDD_SET_PASSWORD 3015
#define IDD_ENTER_PASSWORD 3016

// "Communication" page
#define IDC_COMMUNICATION_PORT 1100
#define IDC_COMMUNICATION_SPEED 1101
#define IDC_COMMUNICATION_DATA 1102
#define IDC_COMMUNICATION_PARITY 1103
#define IDC_COMMUNICATION_STOP 1104
#define IDC_COMMUNICATION_DTR_HIGH 1105
#define IDC_COMMUNICATION_DTR_LOW 1106
#define IDC_COMMUNICATION_RTS_HIGH 1107
#define IDC_COMMUNICATION_RTS_LOW 1108
#define IDC_COMMUNICATION_DUPLICATE_FILTER 1109
#define IDC_COMMUNICATION_FILTER_TIME 1110
#define IDC_COMMUNICATION_FILTER_SPIN 1111
#define IDC_COMMUNICATION_FILTER_UNIT 1112
#define IDC_COMMUNICATION_DEFAULT 1113
#define IDC_COMMUNICATION_PIN_EVENTS 1114

// "Keyboard" page
#define IDC_KEYBOARD_DELAY 1150
#define IDC_KEYBOARD_DELAY_SPIN 1151
#define IDC_KEYBOARD_CASE_NORMAL 1152
#define IDC_KEYBOARD_CASE_UPPER 1153
#define IDC_KEYBOARD_CASE_LOWER 1154
#define IDC_KEYBOARD_PRE_POSTFIX 1155
#define IDC_KEYBOARD_CHAR_TRANS 1156

// "Window" page
#define IDC_WINDOW_HIDE_ON_STARTUP 1200
#define IDC_WINDOW_HIDE_AUTOMATICALLY 1201
#define IDC_WINDOW_LOCK 1202
#define IDC_WINDOW_SETUP 1203
#define IDC_WINDOW_SET_PASSWORD 1204
#define IDC_WINDOW_HOLD 1205
#define IDC_WINDOW_HOLD_TIME 1206
#define IDC_WINDOW_HOLD_SPIN 1207
#define IDC_WINDOW_HOLD_LABEL 1208
#define IDC_WINDOW_HOLD_UNIT 1209

// "Initialization" page
#define IDC_INIT_STRING 1250
#define IDC_INIT_REMOVE 1251
#define IDC_INIT_AUTOSTART 1252

// "Log" page
#define IDC_LOG_FILENAME 1300
#define IDC_LOG_ENABLE 1301
#define IDC_LOG_NOTE 1302

// "Data Editing" page
#define IDC_DATAEDITING_BY_CHARACTERS 1350
#define IDC_DATAEDITING_BY_TIMEOUT 1351
#define IDC_DATAEDITING_TERMINATOR 1352
#define IDC_DATAEDITING_SELECT 1353
#define IDC_DATAEDITING_TIMEOUT 1354
#define IDC_DATAEDITING_TIMEOUT_SPIN 1355
#define IDC_DATAEDITING_TIMEOUT_UNIT 1356
#define IDC_DATAEDITING_FILTER_UNKNOWN 1357
#define IDC_DATAEDITING_REPLACEMENTS 1358
#define IDC_DATAEDITING_TEST_REPLACEMENTS 1359
#define IDC_DATAEDITING_FORMATS 1360
#define IDC_DATAEDITING_TEST_FORMATS 1361

// "Hardware Pin Events"
#define IDC_PINEVENTS_CTS_HIGH 1400
#define IDC_PINEVENTS_CTS_LOW 1401
#define IDC_PINEVENTS_DSR_HIGH 1402
#define IDC_PINEVENTS_DSR_LOW 1403
#define IDC_PINEVENTS_RI_HIGH 1404
#define IDC_PINEVENTS_RI_LOW 1405
#define IDC_PINEVENTS_DCD_HIGH 1406
#define IDC_PINEVENTS_DCD_LOW 1407

// "Select Data String Terminator"
#define IDC_TERMINATOR_LIST 1420

// "Lock Output Window": a simple combo box (its edit field above its list)
#define IDC_LOCKWINDOW_TITLES 1440
#define IDC_LOCKWINDOW_ADD 1441
#define IDC_LOCKWINDOW_REMOVE 1442
#define IDC_LOCKWINDOW_TEXT 1443

// "Character Translation": the list, its buttons and its twelve column headings in order
#define IDC_CHARTRANS_LIST 1460
#define IDC_CHARTRANS_EDIT 1461
#define IDC_CHARTRANS_DEFAULT 1462
#define IDC_CHARTRANS_HEADING_FIRST 1470  // "Character"; then 1471 to 1481
#define IDC_CHARTRANS_HEADING_COUNT 12

// "Edit Character Translation"
#define IDC_EDITCHAR_CHARACTER 1500
#define IDC_EDITCHAR_ASCII 1501
#define IDC_EDITCHAR_KEYCODE 1502
#define IDC_EDITCHAR_KEYCODE_HEX 1503
#define IDC_EDITCHAR_ACTIVE 1504
#define IDC_EDITCHAR_SHIFT 1505
#define IDC_EDITCHAR_CONTROL 1506
#define IDC_EDITCHAR_ALT 1507
#define IDC_EDITCHAR_DIACRITIC 1508
#define IDC_EDITCHAR_CAPS 1509
#define IDC_EDITCHAR_EXTENDED 1510
#define IDC_EDITCHAR_TESTER 1511

// "Set Password" and "Enter Password"
#define IDC_PASSWORD_TEXT 1530

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
