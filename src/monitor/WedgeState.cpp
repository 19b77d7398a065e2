#include "WedgeState.h"

namespace
{
const char kszFarewell[] = "Buckle Your Seatbelt Dorothy, Because Quilbar is Going Bye-bye";
}

void WedgeState::apply(const MonitorEvent& event)
{
  std::string strValue;
  const std::string& strName = event.strName;
  if (strName == "Connected")
  {
    // A new wedge (or the same one started again) knows nothing of the old one's port.
    *this = WedgeState();
    m_link = Link::Connected;
    event.detail("Program Info", m_strProgram);
    event.detail("Active Profile", m_strProfile);
  }
  else if (strName == "Switching Profile" && event.detail("Name", strValue))
  {
    m_strProfile = strValue;
    m_port = Port::NotReported;
  }
  else if (strName == "Serial Port Gone")
  {
    event.detail("Port", m_strPortName);
    m_strPortError = event.detail("Error", strValue) ? strValue : std::string();
    m_port = Port::Gone;
  }
  else if (strName == "Serial Port Back" || strName == "Serial Port Checked After Resume")
  {
    event.detail("Port", m_strPortName);
    m_port = Port::Open;
  }
  else if (strName == "Serial Port Error")
  {
    m_strPortError = event.rgstrDetails.empty() ? std::string() : event.rgstrDetails.front();
    m_port = Port::Error;
  }
  else if (strName == "Entering Settings dialog")
    m_port = Port::ClosedForSettings;
  else if (strName == "Exiting Settings dialog")
    m_port = Port::NotReported;
  else if (strName == kszFarewell)
    m_link = Link::Unloading;
  else if (m_port == Port::NotReported && event.detail("Input String", strValue))
    m_port = Port::Receiving;
}

void WedgeState::setLink(Link link)
{
  if (link != Link::Connected)
    m_port = Port::NotReported;
  m_link = link;
}

std::string WedgeState::describePort() const
{
  std::string strPort = m_strPortName.empty() ? "Port" : "Port " + m_strPortName;
  switch (m_port)
  {
  case Port::NotReported:
    return strPort + ": not reported yet";
  case Port::Receiving:
    return strPort + ": open, data arriving";
  case Port::Open:
    return strPort + ": open";
  case Port::Gone:
    return strPort + ": gone, reconnecting by itself" + (m_strPortError.empty() ? "" : " (" + m_strPortError + ")");
  case Port::ClosedForSettings:
    return strPort + ": closed while the settings are open";
  case Port::Error:
    return strPort + ": error (" + m_strPortError + ")";
  }
  return strPort;
}

std::string WedgeState::describe() const
{
  switch (m_link)
  {
  case Link::Searching:
    return "No Quilbar is running: the monitor connects as soon as one starts.";
  case Link::Several:
    return "Several Quilbars are running: choose one with Connect.";
  case Link::Gone:
    return "Quilbar has ended: the monitor connects again as soon as it starts.";
  case Link::Unloading:
    return "Quilbar is unloading.";
  case Link::Connected:
    break;
  }
  std::string strProfile = m_strProfile.empty() ? "(not reported)" : m_strProfile;
  return (m_strProgram.empty() ? std::string("Quilbar") : m_strProgram) + "    Profile: " + strProfile + "    " +
         describePort();
}
