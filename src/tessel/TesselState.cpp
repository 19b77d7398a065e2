#include "TesselState.h"

// An attach makes sure the one hook that serves every process exists: the first loader anywhere
// installs it, and so does a loader that finds the installer gone without having removed it (a
// crashed program never detaches). A refused attach is remembered, because the system follows it
// with a detach that must not lower a count this process never raised.
bool TesselState::processAttach(std::intptr_t nModule)
{
  std::intptr_t nNoModule = 0;
  m_shared.nModule.compare_exchange_strong(nNoModule, nModule);
  m_nModule = nModule;
  if (!ensureHook())
  {
    m_shared.nModule.compare_exchange_strong(nModule, 0);
    return false;
  }
  ++m_shared.nAttachCount;
  m_fAttached = true;
  return true;
}

// The system removes a hook when the thread that installed it ends, although other processes may
// still use the library. So the installer's detach removes the hook and re-arms the shared words;
// every remaining instance installs a fresh hook at its next call (see getCapsLockState).
void TesselState::processDetach()
{
  if (!m_fAttached)
    return;
  m_fAttached = false;
  --m_shared.nAttachCount;
  if (m_shared.nInstallerProcessId == m_platform.currentProcessId())
    forgetHook();
}

void TesselState::forgetHook()
{
  std::intptr_t nHook = m_shared.nHook.exchange(0);
  if (nHook != 0)
    m_platform.removeHook(nHook);
  m_shared.nModule = 0;
  m_shared.nHookInstalled = 0;
  m_shared.nInstallerProcessId = 0;
}

// The installer's process id is claimed with one exchange, so of several instances that find the
// hook missing at the same moment exactly one installs it. A dead installer's hook went with its
// process; its handle is only forgotten, never removed from here.
bool TesselState::ensureHook()
{
  std::uint32_t nInstaller = m_shared.nInstallerProcessId;
  std::uint32_t nThisProcess = m_platform.currentProcessId();
  if (nInstaller == nThisProcess || (nInstaller != 0 && m_platform.isProcessAlive(nInstaller)))
    return true;
  if (!m_shared.nInstallerProcessId.compare_exchange_strong(nInstaller, nThisProcess))
    return true;  // another instance claimed it just now
  m_shared.nHook = 0;
  m_shared.nModule = m_nModule;
  m_shared.nCapsState = m_platform.readCapsLockToggle() & 1;
  std::intptr_t nHook = m_platform.installHook(m_nModule);
  if (nHook == 0)
  {
    // Let a later loader try again instead of leaving every process without a hook.
    m_shared.nHookInstalled = 0;
    m_shared.nInstallerProcessId = 0;
    return false;
  }
  m_shared.nHook = nHook;
  m_shared.nHookInstalled = 1;
  return true;
}

// Only a first press toggles, as it does for the system's own toggle state: bit 31 of the flags
// marks a release and bit 30 a repeat of a held key. Code 0 is the notification for a message
// being removed from the queue; code 3 announces a message that is only peeked at and will be
// notified again when it is removed, so counting it too would toggle twice for one press.
void TesselState::keyNotified(int nCode, std::uintptr_t nVirtualKey, std::intptr_t nFlags)
{
  const int kcodeAction = 0;
  std::uint32_t dwFlags = static_cast<std::uint32_t>(nFlags);
  bool fFirstPress = (dwFlags & 0x80000000u) == 0 && (dwFlags & 0x40000000u) == 0;
  if (nCode == kcodeAction && nVirtualKey == kvkCapital && fFirstPress)
    m_shared.nCapsState = m_shared.nCapsState == 0 ? 1 : 0;
}

// A caller's instance takes the hook over when the installer has left or died since, so the state
// it reads keeps following the key.
int TesselState::getCapsLockState()
{
  if (m_fAttached)
    ensureHook();
  return m_shared.nCapsState;
}
