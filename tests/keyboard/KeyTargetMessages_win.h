#pragma once

#include <windows.h>

// Sent to the key target's main window: wParam is a text length, lParam an event handle valid in
// the target's process. The target sets the event, and closes its handle, as soon as its edit
// control holds at least that many characters, so a measurement learns of the arrival without
// asking the target across processes again and again while the keys come in.
const UINT WM_KEYTARGET_NOTIFYLENGTH = WM_APP + 1;
