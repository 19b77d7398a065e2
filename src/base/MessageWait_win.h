#pragma once

#include <windows.h>

// Waits for the object to be signalled (or, with a null handle, for the time alone) while answering
// the messages other threads and programs send to this thread's windows. A window whose thread
// waits without doing so blocks every program that sends to it: a program that broadcasts
// WM_SETTINGCHANGE waits for each top-level window's answer, also for the wedge's main window
// while an output expression waits for that very program. Posted messages are left queued, in
// order, so nothing else of the window's work runs in the middle of the wait. dwTimeout may be
// INFINITE. True when the object was signalled.
bool waitAnsweringSentMessages(HANDLE hObject, DWORD dwTimeout);
