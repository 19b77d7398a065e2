#pragma once

#include "base/Registry.h"

#include <string>

// What the profile store asks of the rest of the program: the event log (which decides itself
// whether event output is wanted) and the start-with-system entries. The application fills it;
// tests record the calls.
class ProfileStoreListener
{
public:
  virtual ~ProfileStoreListener() = default;

  // "Profile Added" / "Profile Deleted" with their detail lines.
  virtual void logEvent(const std::string& strEvent, const TextList& rgDetails) = 0;
  // The profile is about to be deleted: its start-with-system entry goes with it.
  virtual void removeStartWithSystem(const std::string& strProfileName) = 0;
};
