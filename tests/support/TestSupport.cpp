#include "TestSupport.h"

#include "base/Registry.h"

#include <thread>

namespace testsupport
{
bool waitUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll)
{
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!fnDone())
  {
    if (std::chrono::steady_clock::now() >= deadline)
      return fnDone();
    std::this_thread::sleep_for(poll);
  }
  return true;
}
void removeStoredSettings()
{
  Registry software;
  if (software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll))
    software.deleteSubKey("Tarnwick");
}
}  // namespace testsupport
