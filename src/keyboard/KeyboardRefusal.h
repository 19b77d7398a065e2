#pragma once

#include <string>

// Why keystrokes were not typed. Every reason is one the user cannot see by looking at the
// window in front, so each is told (tray tip, event log) rather than passed over in silence.
enum class KeyboardRefusal
{
  kNone,
  kLockedWindowNotInFront,  // the output window lock refused the window in front
  kKeyboardEventsOff,       // a subscriber switched keyboard output off
  kNoForegroundWindow,      // no window is in front to receive them
  kOwnWindowInFront,        // the program's own main window is in front
  kElevatedWindow,          // the window in front runs at a higher integrity level than ours
  kEventsRefused,           // the system took fewer input events than it was given
};

// The reason in words fit for the tray tip after "Not typed: "; empty for kNone.
const char* describeKeyboardRefusal(KeyboardRefusal refusal);

// Characters left out for want of a recipe, in the notation: "no key for é, <LF>"; empty for none.
std::string describeSkippedCharacters(const std::string& strSkipped);

// Everything that kept a string's output from arriving whole, refusal first; empty for nothing.
std::string describeKeyboardOutcome(KeyboardRefusal refusal, const std::string& strSkipped);
