#include "KeyboardRefusal.h"

const char* describeKeyboardRefusal(KeyboardRefusal refusal)
{
  switch (refusal)
  {
  case KeyboardRefusal::kNone:
    return "";
  case KeyboardRefusal::kLockedWindowNotInFront:
    return "locked window not in front";
  case KeyboardRefusal::kKeyboardEventsOff:
    return "keyboard output switched off";
  case KeyboardRefusal::kNoForegroundWindow:
    return "no window in front";
  case KeyboardRefusal::kOwnWindowInFront:
    return "Quilbar's own window in front";
  case KeyboardRefusal::kElevatedWindow:
    return "window in front runs as administrator";
  case KeyboardRefusal::kEventsRefused:
    return "the system refused the keystrokes";
  }
  return "";
}
