#pragma once

#include <cstdint>

// What looking up a process's integrity level found.
enum class IntegrityLookup
{
  kFound,         // the level was read from the process's token
  kAccessDenied,  // the process or its token refused to be opened for querying
  kFailed,        // anything else: the process is gone, the call is missing
};

// True when input injected by a process at dwOwnLevel would be dropped by the system on its way
// to the other process (user interface privilege isolation): its level is higher than ours.
bool runsAboveOwnIntegrity(IntegrityLookup lookup, uint32_t dwTargetLevel, uint32_t dwOwnLevel);
