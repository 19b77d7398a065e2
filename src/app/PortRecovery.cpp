#include "PortRecovery.h"

#include "serial/TrayTip.h"

const char PortRecovery::kszEventGone[] = "Serial Port Gone";
const char PortRecovery::kszEventBack[] = "Serial Port Back";
const char PortRecovery::kszEventResume[] = "Serial Port Checked After Resume";

bool PortRecovery::opened()
{
  bool fBack = m_state == State::kGone;
  m_state = State::kOpen;
  return fBack;
}

void PortRecovery::closed()
{
  m_state = State::kClosed;
}

// Only the open port can go away: a report that comes after the port was closed, or reopened
// (the communication thread's message may still be on its way), changes nothing; nor does one
// that another program made up.
bool PortRecovery::lost(uint32_t dwGeneration)
{
  if (m_state != State::kOpen || dwGeneration != generation())
    return false;
  m_state = State::kGone;
  return true;
}

std::string PortRecovery::goneTip(const std::string& strPort)
{
  return cutTrayTip(strPort + " gone: reconnecting by itself");
}

std::vector<std::string> PortRecovery::goneDetails(const std::string& strPort, const std::string& strError)
{
  return {"Port = " + strPort, "Error = " + strError,
          "The port is closed and opened again every " + std::to_string(kuRetryMs / 1000) + " seconds."};
}

std::vector<std::string> PortRecovery::backDetails(const std::string& strPort)
{
  return {"Port = " + strPort};
}
