#pragma once

#include "base/UniqueResource_win.h"

#include <windows.h>

#include <string>

// The read the communication thread keeps waiting on the port while it sleeps: one byte,
// overlapped, its event among those the thread waits for. It finishes when the first byte of
// a burst arrives (the rest is read by count), or when the port goes away. Used by one thread
// only, which also cancels it before the thread ends.
class WaitingRead
{
public:
  enum class Outcome
  {
    kNone,     // nothing waiting, or still waiting
    kByte,     // a byte came: it is appended
    kFailed,   // the read ended without a byte (the port hung up, or a driver that does not wait)
  };

  WaitingRead() = default;
  ~WaitingRead() { cancel(); }
  WaitingRead(const WaitingRead&) = delete;
  WaitingRead& operator=(const WaitingRead&) = delete;

  // False when the event cannot be made.
  bool create();
  HANDLE event() const { return m_hevtDone.get(); }
  bool isWaiting() const { return m_fWaiting; }

  // Issues the read; false when the driver refused it at once.
  bool start(HANDLE hPort);
  // Collects a finished read without waiting; the byte goes to the end of strBytes.
  Outcome take(std::string& strBytes, DWORD& dwError);
  // Cancels a read still out and waits until the driver has let go of the record.
  void cancel();

private:
  HANDLE m_hPort = INVALID_HANDLE_VALUE;
  UniqueHandle m_hevtDone;
  OVERLAPPED m_ov = {};
  char m_chByte = 0;
  bool m_fWaiting = false;
};
