#include "MessageWait_win.h"

bool waitAnsweringSentMessages(HANDLE hObject, DWORD dwTimeout)
{
  const DWORD nObjects = hObject != nullptr ? 1 : 0;
  const DWORD dwStart = GetTickCount();
  for (;;)
  {
    DWORD dwRemaining = INFINITE;
    if (dwTimeout != INFINITE)
    {
      DWORD dwElapsed = GetTickCount() - dwStart;
      dwRemaining = dwElapsed >= dwTimeout ? 0 : dwTimeout - dwElapsed;
    }
    DWORD dwResult = MsgWaitForMultipleObjectsEx(nObjects, nObjects != 0 ? &hObject : nullptr, dwRemaining,
                                                 QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    if (nObjects != 0 && dwResult == WAIT_OBJECT_0)
      return true;
    if (dwResult != WAIT_OBJECT_0 + nObjects)
      return false;  // the time is up, or the wait failed
    // Peeking answers every message sent to this thread; posted ones stay where they are.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
