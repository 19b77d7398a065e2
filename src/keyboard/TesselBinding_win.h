#pragma once

#include "CapsLockState.h"
#include "base/UniqueResource_win.h"

#include <windows.h>

typedef int(__cdecl* GetCapsLockStateFn)();

// Process-wide entry point of the caps-lock library; null while it is not bound.
extern GetCapsLockStateFn g_pfnGetCapsLockState;

// The run-time binding of the caps-lock library. Without it, caps-dependent keys are typed as if
// caps lock were off.
class TesselBinding : public CapsLockState
{
public:
  TesselBinding() = default;
  ~TesselBinding();
  TesselBinding(const TesselBinding&) = delete;
  TesselBinding& operator=(const TesselBinding&) = delete;

  // Loads the library by name and finds "GetCapsLockState"; false (and unbound) on either failure.
  bool bind(const char* pszLibrary = "Tessel.dll");
  void unbind();
  bool isBound() const { return static_cast<bool>(m_hCapsModule); }

  int getCapsLockState() const override;

private:
  UniqueModule m_hCapsModule;
};
