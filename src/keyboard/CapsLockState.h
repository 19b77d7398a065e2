#pragma once

// Whether caps lock is on, as the caps-lock library tracks it.
class CapsLockState
{
public:
  virtual ~CapsLockState() = default;

  // 1 when caps lock is on; 0 when off or unknown.
  virtual int getCapsLockState() const = 0;
};
