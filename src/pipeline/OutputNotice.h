#pragma once

#include <string>

// Where the pipeline tells the user's side what became of a data string's output: the main
// window shows a string that was not typed on its tray icon until the next one is delivered.
class OutputNotice
{
public:
  virtual ~OutputNotice() = default;

  // The output was not typed (or not all of it); strReason says why, in words for a tray tip.
  virtual void outputNotTyped(const std::string& strReason) = 0;
  // The output was typed or handed to the subscribers.
  virtual void outputDelivered() = 0;
};
