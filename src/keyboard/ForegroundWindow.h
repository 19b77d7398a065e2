#pragma once

#include "TargetKeyboard.h"

#include <cstdint>
#include <memory>
#include <string>

// The window that receives keystrokes. The Windows layer asks the system; tests fake it.
class ForegroundWindow
{
public:
  virtual ~ForegroundWindow() = default;

  // Tells the window in front from the one before: another window gives another id; 0 for none.
  virtual uintptr_t windowId() const = 0;
  // False when no window is in front; otherwise true and its title.
  virtual bool getTitle(std::string& strTitle) const = 0;
  // False when no window is in front; otherwise true and its window class name.
  virtual bool getClassName(std::string& strClass) const = 0;
  // The keyboard of the window in front's thread.
  virtual std::unique_ptr<TargetKeyboard> targetKeyboard() const = 0;
  // True when the program's own main window is in front.
  virtual bool isOwnMainWindow() const = 0;
  // True when the window in front belongs to a process at a higher integrity level than ours:
  // the system drops the input we inject on its way there.
  virtual bool isAboveOwnIntegrity() const = 0;
};
