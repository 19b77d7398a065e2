#pragma once

// Resource identifiers of Pelldrop.exe, read by its resource script, its code and the tests.
// Pelldrop is a program of its own, so these numbers need not differ from Quilbar's.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDR_PELLDROP 128
#define IDD_PELLDROP_DIALOG 102

#define IDC_PELLDROP_FOLDER 1000
#define IDC_PELLDROP_BROWSE 1001
#define IDC_PELLDROP_STATUS 1002
