#include "SystemPasswordKdf_win.h"

#include "base/UniqueResource_win.h"

#include <windows.h>

#include <bcrypt.h>

#include <vector>

namespace
{
struct AlgorithmTraits
{
  using Value = BCRYPT_ALG_HANDLE;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { BCryptCloseAlgorithmProvider(h, 0); }
};
using UniqueAlgorithm = UniqueResource<AlgorithmTraits>;

bool succeeded(NTSTATUS status)
{
  return status >= 0;
}
}  // namespace

// The provider is opened for every derivation: a password is checked a few times a day, and an
// open handle kept for the life of the program would gain nothing.
bool SystemPasswordKdf::deriveKey(const std::string& strPassword, const std::string& strSalt, uint32_t dwIterations,
                                  size_t cbKey, std::string& strKey)
{
  BCRYPT_ALG_HANDLE hRaw = nullptr;
  if (!succeeded(BCryptOpenAlgorithmProvider(&hRaw, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG)))
    return false;
  UniqueAlgorithm hAlgorithm(hRaw);
  // The API takes non-const buffers although it only reads password and salt.
  std::vector<UCHAR> rgbPassword(strPassword.begin(), strPassword.end());
  std::vector<UCHAR> rgbSalt(strSalt.begin(), strSalt.end());
  std::vector<UCHAR> rgbKey(cbKey);
  NTSTATUS status = BCryptDeriveKeyPBKDF2(hAlgorithm.get(), rgbPassword.empty() ? nullptr : rgbPassword.data(),
                                          static_cast<ULONG>(rgbPassword.size()),
                                          rgbSalt.empty() ? nullptr : rgbSalt.data(),
                                          static_cast<ULONG>(rgbSalt.size()), dwIterations, rgbKey.data(),
                                          static_cast<ULONG>(rgbKey.size()), 0);
  SecureZeroMemory(rgbPassword.data(), rgbPassword.size());
  if (!succeeded(status))
    return false;
  strKey.assign(rgbKey.begin(), rgbKey.end());
  return true;
}

bool SystemPasswordKdf::randomBytes(size_t cb, std::string& strBytes)
{
  std::vector<UCHAR> rgb(cb);
  if (!succeeded(BCryptGenRandom(nullptr, rgb.data(), static_cast<ULONG>(rgb.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
    return false;
  strBytes.assign(rgb.begin(), rgb.end());
  return true;
}
