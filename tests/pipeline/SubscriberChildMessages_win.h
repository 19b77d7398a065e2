#pragma once

#include <windows.h>

// Questions SubscriberChild_win answers in its "count" mode, sent to its subscriber window: how
// many copy-data messages matched the expected bytes, and how many did not.
const UINT WM_SUBSCRIBERCHILD_MATCHED = WM_APP + 1;
const UINT WM_SUBSCRIBERCHILD_MISMATCHED = WM_APP + 2;
