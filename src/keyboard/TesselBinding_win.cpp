#include "TesselBinding_win.h"

#include "engine/Assert.h"

GetCapsLockStateFn g_pfnGetCapsLockState = nullptr;

TesselBinding::~TesselBinding()
{
  unbind();
}

// Failures are not reported: the program works on without caps-lock information.
bool TesselBinding::bind(const char* pszLibrary)
{
  QB_ASSERT(NULL == m_hCapsModule);
  m_hCapsModule = LoadLibraryA(pszLibrary);
  if (m_hCapsModule == NULL)
    return false;
  g_pfnGetCapsLockState =
      reinterpret_cast<GetCapsLockStateFn>(reinterpret_cast<void*>(GetProcAddress(m_hCapsModule, "GetCapsLockState")));
  if (g_pfnGetCapsLockState == nullptr)
  {
    FreeLibrary(m_hCapsModule);
    m_hCapsModule = NULL;
    return false;
  }
  return true;
}

void TesselBinding::unbind()
{
  if (m_hCapsModule == NULL)
    return;
  g_pfnGetCapsLockState = nullptr;
  QB_ASSERT(FALSE != ::FreeLibrary(m_hCapsModule));
  m_hCapsModule = NULL;
}

int TesselBinding::getCapsLockState() const
{
  return g_pfnGetCapsLockState != nullptr ? g_pfnGetCapsLockState() : 0;
}
