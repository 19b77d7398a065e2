#include "BlinkThread_win.h"

#include "base/Assert.h"
#include "PortHost.h"
#include "PortMessages.h"
#include "SerialMessages_win.h"

namespace
{
const LONG kMaxSignals = 10000;
const DWORD kdwIdleAfterMs = 1000;
const SIZE_T kcbWorkerStack = 0x2000;
}  // namespace

void BlinkThread::release(const std::atomic<HANDLE>& hsem, LONG nCount)
{
  HANDLE h = hsem.load();
  // A full semaphore (10,000 unanswered signals) only loses a blink, never data.
  if (h)
    ReleaseSemaphore(h, nCount, nullptr);
}

bool BlinkThread::start()
{
  if (m_hBlinkThread)
    return true;
  m_hevtStopBlinkThread = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hevtBlinkThreadStopped = UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  m_hsemBlink = UniqueHandle(CreateSemaphoreA(nullptr, 0, kMaxSignals, nullptr));
  m_hsemBlinkOut = UniqueHandle(CreateSemaphoreA(nullptr, 0, kMaxSignals, nullptr));
  m_hsemBlinkPin = UniqueHandle(CreateSemaphoreA(nullptr, 0, kMaxSignals, nullptr));
  if (!m_hevtStopBlinkThread || !m_hevtBlinkThreadStopped || !m_hsemBlink || !m_hsemBlinkOut ||
      !m_hsemBlinkPin)
  {
    stop();
    m_host.showError(kszFailedToCreateEvent);
    return false;
  }
  // The stack size is the committed size; the reservation stays the program's default, since
  // posting a message may need more than 8 KB deep inside the system.
  m_hBlinkThread = UniqueHandle(
      CreateThread(nullptr, kcbWorkerStack, &BlinkThread::threadMain, this, 0, nullptr));
  if (!m_hBlinkThread)
  {
    stop();
    m_host.showError(kszFailedToCreateThread);
    return false;
  }
  m_hsemBlinkShared = m_hsemBlink.get();
  m_hsemBlinkOutShared = m_hsemBlinkOut.get();
  m_hsemBlinkPinShared = m_hsemBlinkPin.get();
  return true;
}

void BlinkThread::stop()
{
  m_hsemBlinkShared = nullptr;
  m_hsemBlinkOutShared = nullptr;
  m_hsemBlinkPinShared = nullptr;
  if (m_hBlinkThread)
  {
    SetEvent(m_hevtStopBlinkThread.get());
    if (WaitForSingleObject(m_hevtBlinkThreadStopped.get(), INFINITE) != WAIT_OBJECT_0)
      TerminateThread(m_hBlinkThread.get(), 0);
    else
      WaitForSingleObject(m_hBlinkThread.get(), INFINITE);
  }
  m_hevtStopBlinkThread.reset();
  m_hevtBlinkThreadStopped.reset();
  m_hsemBlink.reset();
  m_hsemBlinkOut.reset();
  m_hsemBlinkPin.reset();
  m_hBlinkThread.reset();
}

DWORD WINAPI BlinkThread::threadMain(void* pvThis)
{
  static_cast<BlinkThread*>(pvThis)->run();
  return 0;
}

void BlinkThread::run()
{
  // Order is priority: a stop wins, then data, sent clipboard and pin events.
  HANDLE rghWait[] = {m_hevtStopBlinkThread.get(), m_hsemBlink.get(), m_hsemBlinkOut.get(),
                      m_hsemBlinkPin.get()};
  QB_ASSERT(NULL != rghWait[0]);
  for (;;)
  {
    DWORD dwResult = WaitForMultipleObjects(4, rghWait, FALSE, kdwIdleAfterMs);
    if (dwResult == WAIT_OBJECT_0)
      break;
    WPARAM nState = kTrayStateIdle;
    if (dwResult == WAIT_OBJECT_0 + 1)
      nState = kTrayStateData;
    else if (dwResult == WAIT_OBJECT_0 + 2)
      nState = kTrayStateSent;
    else if (dwResult == WAIT_OBJECT_0 + 3)
      nState = kTrayStatePin;
    PostMessageA(m_hwndOwner, WM_SETTRAYSTATE, nState, 0);
  }
  SetEvent(m_hevtBlinkThreadStopped.get());
}
