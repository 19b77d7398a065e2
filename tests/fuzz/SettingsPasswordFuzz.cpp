// Whatever the registry's "Password" value holds is parsed and checked without a crash, an
// out-of-bounds read or a long stall: a well-formed record comes back from its own format, its
// parts stay within their bounds, and no value lets its own text in unless it is a plain one.
#include "FakePasswordKdf.h"
#include "settings/SettingsPassword.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  std::string strStored(reinterpret_cast<const char*>(pData), nSize);
  SettingsPassword::Parsed parsed = SettingsPassword::parse(strStored);
  FakePasswordKdf kdf;
  bool fOwnTextMatches = SettingsPassword::matches(strStored, strStored, kdf);
  switch (parsed.form)
  {
  case SettingsPassword::Form::None:
    if (!strStored.empty())
      std::abort();
    break;
  case SettingsPassword::Form::Plain:
    if (!fOwnTextMatches)
      std::abort();
    break;
  case SettingsPassword::Form::Hashed:
  {
    if (parsed.dwIterations < 1 || parsed.dwIterations > SettingsPassword::kdwMaxIterations
        || parsed.strSalt.size() < SettingsPassword::kcbMinSalt || parsed.strSalt.size() > SettingsPassword::kcbMaxSalt
        || parsed.strKey.size() < SettingsPassword::kcbMinKey || parsed.strKey.size() > SettingsPassword::kcbMaxKey)
      std::abort();
    SettingsPassword::Parsed again =
        SettingsPassword::parse(SettingsPassword::format(parsed.dwIterations, parsed.strSalt, parsed.strKey));
    if (again.form != SettingsPassword::Form::Hashed || again.dwIterations != parsed.dwIterations
        || again.strSalt != parsed.strSalt || again.strKey != parsed.strKey)
      std::abort();
    break;
  }
  case SettingsPassword::Form::Damaged:
    if (fOwnTextMatches)
      std::abort();
    break;
  }
  return 0;
}
