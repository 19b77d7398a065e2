#pragma once

#include <atomic>
#include <cstdint>

// The words Tessel shares between every process that maps it. Lock-free atomics of these sizes
// are address-free, so they work in a section mapped into several processes.
struct TesselSharedWords
{
  std::atomic<std::int32_t> nCapsState{0};
  std::atomic<std::int32_t> nHookInstalled{0};
  std::atomic<std::intptr_t> nModule{0};
  std::atomic<std::intptr_t> nHook{0};
  std::atomic<std::int32_t> nAttachCount{0};
  std::atomic<std::uint32_t> nInstallerProcessId{0};
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
  // False when no process of that id runs any more (it ended, or crashed without detaching).
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
  std::intptr_t m_nModule = 0;
  bool m_fAttached = false;
};
