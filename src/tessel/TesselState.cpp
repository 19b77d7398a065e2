#include "TesselState.h"

// The first attach anywhere installs the one hook that serves every process; the exchange on
// the shared flag keeps two processes starting together from both installing one.
bool TesselState::processAttach(std::intptr_t nModule)
{
  std::intptr_t nNoModule = 0;
  m_shared.nModule.compare_exchange_strong(nNoModule, nModule);
  std::int32_t nNotInstalled = 0;
  if (m_shared.nHookInstalled.compare_exchange_strong(nNotInstalled, 1))
  {
    m_shared.nCapsState = m_platform.readCapsLockToggle() & 1;
    std::intptr_t nHook = m_platform.installHook(nModule);
    if (nHook == 0)
    {
      // Let a later loader try again instead of leaving every process without a hook.
      m_shared.nHookInstalled = 0;
      m_shared.nModule = 0;
      return false;
    }
    m_shared.nHook = nHook;
    m_shared.nInstallerProcessId = m_platform.currentProcessId();
  }
  ++m_shared.nAttachCount;
  return true;
}

// The system removes a hook when its installing thread ends, although other processes may still
// map the library (every process that received keyboard input does). So the installer's detach
// removes the hook and re-arms the shared words: the next loader installs a fresh hook rather
// than trusting one that no longer exists.
void TesselState::processDetach()
{
  if (--m_shared.nAttachCount == 0 && m_shared.nHook != 0)
    forgetHook();
  else if (m_shared.nInstallerProcessId != 0 && m_shared.nInstallerProcessId == m_platform.currentProcessId())
    forgetHook();
}

void TesselState::forgetHook()
{
  std::intptr_t nHook = m_shared.nHook.exchange(0);
  if (nHook != 0)
    m_platform.removeHook(nHook);
  m_shared.nInstallerProcessId = 0;
  m_shared.nModule = 0;
  m_shared.nHookInstalled = 0;
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

int TesselState::getCapsLockState() const
{
  return m_shared.nCapsState;
}
