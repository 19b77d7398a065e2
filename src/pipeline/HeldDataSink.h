#pragma once

#include <string>

// Where the hold for a locked window hands its strings on: to the pipeline when they may go out,
// to the user's notice (the tray tip) when they are dropped.
class HeldDataSink
{
public:
  virtual ~HeldDataSink() = default;

  // The string goes through the data string pipeline now, as if it had just arrived.
  virtual void deliverHeld(const std::string& strData) = 0;
  // The string is lost; strReason says why in words fit for a tray tip.
  virtual void heldDataDropped(const std::string& strData, const std::string& strReason) = 0;
};
