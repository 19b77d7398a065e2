#pragma once

#include <atomic>
#include <cstdint>

// The words of one logon session. A hook serves the desktop of the session it was installed in,
// and each session has a keyboard of its own, so every session keeps its own hook and state.
struct TesselSessionWords
{
  std::atomic<std::uint32_t> nSessionKey{0};  // the session id + 1; 0 while the slot is free
  std::atomic<std::int32_t> nCapsState{0};
  std::atomic<std::int32_t> nHookInstalled{0};
  std::atomic<std::intptr_t> nModule{0};
  std::atomic<std::intptr_t> nHook{0};
  std::atomic<std::uint32_t> nInstallerProcessId{0};
};

// The words Tessel shares between every process that maps it, in all sessions. Lock-free atomics
// of these sizes are address-free, so they work in a section mapped into several processes.
struct TesselSharedWords
{
  // Sessions that used Tessel since it was first loaded; a session beyond them runs without it.
  static const int knMaxSessions = 16;

  // The slot of the session, claimed when it has none yet; null when every slot is taken.
  TesselSessionWords* sessionSlot(std::uint32_t nSessionId);
  // The slot of the session, or null.
  const TesselSessionWords* findSession(std::uint32_t nSessionId) const;

  TesselSessionWords rgSessions[knMaxSessions];
  std::atomic<std::int32_t> nAttachCount{0};
};

// What Tessel asks of the system; the library implements it with the Win32 calls, tests fake it.
class TesselPlatform
{
public:
  virtual ~TesselPlatform() = default;
  // Toggle bit of the caps-lock key: 1 when caps lock is on.
  virtual int readCapsLockToggle() = 0;
  // Installs the keyboard hook for every thread of the desktop; 0 when that fails.
  virtual std::intptr_t installHook(std::intptr_t nModule) = 0;
  virtual void removeHook(std::intptr_t nHook) = 0;
  virtual std::uint32_t currentProcessId() = 0;
  // The logon session of this process.
  virtual std::uint32_t currentSessionId() = 0;
  // False when no process of that id runs any more (it ended, or crashed without detaching). Asked
  // only of an installer recorded for this process's own session.
  virtual bool isProcessAlive(std::uint32_t nProcessId) = 0;
};

// The attach, detach and hook logic of the caps-lock library over its shared words. One object
// per process (it lives outside the shared section): it knows whether this process's attach was
// accepted.
class TesselState
{
public:
  static const int kvkCapital = 0x14;

  TesselState(TesselSharedWords& shared, TesselPlatform& platform) : m_shared(shared), m_platform(platform) {}

  // False refuses the attach, which makes the library load fail.
  bool processAttach(std::intptr_t nModule);
  // Does nothing after a refused attach (the system calls it then too).
  void processDetach();
  // A keyboard notification (code, virtual key, key message flags) seen by the hook.
  void keyNotified(int nCode, std::uintptr_t nVirtualKey, std::intptr_t nFlags);
  // Installs the hook here first when its installer has left or died.
  int getCapsLockState();

private:
  bool ensureHook();
  void forgetHook();

  TesselSharedWords& m_shared;
  TesselPlatform& m_platform;
  // This process's session, found at attach.
  TesselSessionWords* m_pSession = nullptr;
  std::intptr_t m_nModule = 0;
  bool m_fAttached = false;
};
