#include "TesselState.h"

// A slot is claimed with one exchange, so two sessions that start at the same moment never share
// one. Slots are never given back: sessions are few, and a session that comes back finds its own.
TesselSessionWords* TesselSharedWords::sessionSlot(std::uint32_t nSessionId)
{
  const std::uint32_t nKey = nSessionId + 1;
  for (TesselSessionWords& session : rgSessions)
  {
    std::uint32_t nFree = 0;
    if (session.nSessionKey == nKey || session.nSessionKey.compare_exchange_strong(nFree, nKey) || nFree == nKey)
      return &session;
  }
  return nullptr;
}

const TesselSessionWords* TesselSharedWords::findSession(std::uint32_t nSessionId) const
{
  for (const TesselSessionWords& session : rgSessions)
    if (session.nSessionKey == nSessionId + 1)
      return &session;
  return nullptr;
}

// An attach makes sure the one hook that serves every process of its session exists: the first
// loader of the session installs it, and so does a loader that finds the installer gone without
// having removed it (a crashed program never detaches). A session without a free slot goes
// without caps-lock information, as a system without Tessel does. A refused attach is remembered,
// because the system follows it with a detach that must not lower a count this process never
// raised.
bool TesselState::processAttach(std::intptr_t nModule)
{
  m_pSession = m_shared.sessionSlot(m_platform.currentSessionId());
  m_nModule = nModule;
  if (m_pSession != nullptr)
  {
    std::intptr_t nNoModule = 0;
    m_pSession->nModule.compare_exchange_strong(nNoModule, nModule);
    if (!ensureHook())
    {
      m_pSession->nModule.compare_exchange_strong(nModule, 0);
      return false;
    }
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
  if (m_pSession != nullptr && m_pSession->nInstallerProcessId == m_platform.currentProcessId())
    forgetHook();
}

void TesselState::forgetHook()
{
  std::intptr_t nHook = m_pSession->nHook.exchange(0);
  if (nHook != 0)
    m_platform.removeHook(nHook);
  m_pSession->nModule = 0;
  m_pSession->nHookInstalled = 0;
  m_pSession->nInstallerProcessId = 0;
}

// The installer's process id is claimed with one exchange, so of several instances that find the
// hook missing at the same moment exactly one installs it. A dead installer's hook went with its
// process; its handle is only forgotten, never removed from here. The installer asked about is
// always one of this session, so a process that may not be opened (another user's, in this
// session) counts as alive without keeping another session from its own hook.
bool TesselState::ensureHook()
{
  TesselSessionWords& session = *m_pSession;
  std::uint32_t nInstaller = session.nInstallerProcessId;
  std::uint32_t nThisProcess = m_platform.currentProcessId();
  if (nInstaller == nThisProcess || (nInstaller != 0 && m_platform.isProcessAlive(nInstaller)))
    return true;
  if (!session.nInstallerProcessId.compare_exchange_strong(nInstaller, nThisProcess))
    return true;  // another instance claimed it just now
  session.nHook = 0;
  session.nModule = m_nModule;
  session.nCapsState = m_platform.readCapsLockToggle() & 1;
  std::intptr_t nHook = m_platform.installHook(m_nModule);
  if (nHook == 0)
  {
    // Let a later loader try again instead of leaving every process without a hook.
    session.nHookInstalled = 0;
    session.nInstallerProcessId = 0;
    return false;
  }
  session.nHook = nHook;
  session.nHookInstalled = 1;
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
  if (m_pSession != nullptr && nCode == kcodeAction && nVirtualKey == kvkCapital && fFirstPress)
    m_pSession->nCapsState = m_pSession->nCapsState == 0 ? 1 : 0;
}

// A caller's instance takes the hook over when the installer has left or died since, so the state
// it reads keeps following the key.
int TesselState::getCapsLockState()
{
  if (m_pSession == nullptr)
    return 0;
  if (m_fAttached)
    ensureHook();
  return m_pSession->nCapsState;
}
