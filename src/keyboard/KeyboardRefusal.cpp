#include "KeyboardRefusal.h"

#include "base/DataConv.h"

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

std::string describeSkippedCharacters(const std::string& strSkipped)
{
  std::string strText;
  for (char ch : strSkipped)
    strText += (strText.empty() ? "no key for " : ", ") + DataConv::render(std::string(1, ch));
  return strText;
}

std::string describeKeyboardOutcome(KeyboardRefusal refusal, const std::string& strSkipped)
{
  std::string strText = describeKeyboardRefusal(refusal);
  std::string strSkippedText = describeSkippedCharacters(strSkipped);
  if (!strText.empty() && !strSkippedText.empty())
    strText += "; ";
  return strText + strSkippedText;
}
