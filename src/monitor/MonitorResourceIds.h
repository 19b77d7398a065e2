#pragma once

// Resource identifiers of QuilbarMonitor.exe, read by its resource script, its code, the tests
// and the help build. The dialog numbers are help contexts of the one help file, so they differ
// from Quilbar's own.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Quilbar's icon under Quilbar's number, so that a program holding both resource sets (the
// dialog gallery) has it once.
#define IDR_MONITOR 128
#define IDD_MONITOR_DIALOG 5000
#define IDD_MONITOR_CHOOSER 5001

#define IDC_MONITOR_STATE 1000
#define IDC_MONITOR_PAUSE 1001
#define IDC_MONITOR_CLEAR 1002
#define IDC_MONITOR_COPY 1003
#define IDC_MONITOR_SAVE 1004
#define IDC_MONITOR_CONNECT 1005
#define IDC_MONITOR_LIST 1006
#define IDC_MONITOR_COUNT 1007
#define IDC_MONITOR_EVENT 1008
#define IDC_MONITOR_PAD 1009
#define IDC_MONITOR_PAD_ARRIVED 1010
#define IDC_MONITOR_PAD_RESULT 1011
#define IDC_MONITOR_PAD_CLEAR 1012

#define IDC_MONITOR_CHOOSER_LIST 1100
