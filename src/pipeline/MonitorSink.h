#pragma once

#include <cstddef>
#include <string>

// The monitor windows as the event log sees them: how many there are and how to hand them an
// event's text. The subscriber protocol implements it; tests record the texts.
class MonitorSink
{
public:
  virtual ~MonitorSink() = default;

  virtual size_t monitorCount() const = 0;
  // To every monitor in registration order, each send bounded in time.
  virtual void sendToMonitors(const std::string& strText) = 0;
};
