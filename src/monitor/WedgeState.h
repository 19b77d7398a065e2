#pragma once

#include "MonitorEvent.h"

#include <string>

// What the monitor knows of the wedge it follows, from the events alone: its window title, its
// profile, its port and whether that port is open, gone or closed, and whether the wedge is there.
class WedgeState
{
public:
  enum class Link
  {
    Searching,
    Several,
    Connected,
    Gone,
    Unloading
  };
  enum class Port
  {
    NotReported,
    Receiving,
    Open,
    Gone,
    ClosedForSettings,
    Error
  };

  void apply(const MonitorEvent& event);
  // The monitor's own view of the link: looking for a wedge, a choice to make, one that went.
  void setLink(Link link);

  Link link() const { return m_link; }
  Port port() const { return m_port; }
  const std::string& profile() const { return m_strProfile; }
  // One line for the top of the window.
  std::string describe() const;

private:
  std::string describePort() const;

  Link m_link = Link::Searching;
  Port m_port = Port::NotReported;
  std::string m_strProgram;
  std::string m_strProfile;
  std::string m_strPortName;
  std::string m_strPortError;
};
