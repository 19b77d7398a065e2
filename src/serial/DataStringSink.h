#pragma once

#include <cstddef>
#include <string>

// What the data string cutter asks of its surroundings. The communication thread implements it
// with the hand-over queue, the event log and the blink semaphores; tests record the calls.
class DataStringSink
{
public:
  virtual ~DataStringSink() = default;

  // A finished data string (no zero bytes), in the order of arrival.
  virtual void handOver(const std::string& strDataString) = 0;
  // Called only when the profile's Logging is on, with the raw data string.
  virtual void logRawInput(const std::string& strRaw) = 0;
  // Data arrived or injected text was taken (one blink of state 1).
  virtual void dataActivity() = 0;
  // A hardware pin event produced a data string (state 3).
  virtual void pinActivity() = 0;
  // Data arrived while the profile asks to hide the main window on incoming data.
  virtual void hideMainWindow() = 0;
  // A data string reached the length limit before it ended; what had arrived (nLength
  // characters) has just been handed over as one data string, and cutting goes on. The
  // communication thread logs it; surroundings that keep no log may ignore it.
  virtual void cutAtLengthLimit(size_t nLength) {}
};
