#include "TesselBinding_win.h"

#include "base/Assert.h"

#include <utility>

GetCapsLockStateFn g_pfnGetCapsLockState = nullptr;

TesselBinding::~TesselBinding()
{
  unbind();
}

// Failures are not reported: the program works on without caps-lock information.
bool TesselBinding::bind(const char* pszLibrary)
{
  QB_ASSERT(!m_hCapsModule);
  UniqueModule hModule(LoadLibraryA(pszLibrary));
  if (!hModule)
    return false;
  g_pfnGetCapsLockState = reinterpret_cast<GetCapsLockStateFn>(
      reinterpret_cast<void*>(GetProcAddress(hModule.get(), "GetCapsLockState")));
  if (g_pfnGetCapsLockState == nullptr)
    return false;
  m_hCapsModule = std::move(hModule);
  return true;
}

void TesselBinding::unbind()
{
  if (!m_hCapsModule)
    return;
  g_pfnGetCapsLockState = nullptr;
  // The release must succeed: a library that stays mapped keeps its hook in every process.
  QB_ASSERT(FALSE != ::FreeLibrary(m_hCapsModule.release()));
}

int TesselBinding::getCapsLockState() const
{
  return g_pfnGetCapsLockState != nullptr ? g_pfnGetCapsLockState() : 0;
}
