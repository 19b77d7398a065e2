#pragma once

#include <string>

// The virtual cable behind a COM pair, pulled out and plugged back in by the harness that made
// it (Wine starts Unix programs too). Plugged back when its owner ends, however it ends.
class VirtualCable
{
public:
  explicit VirtualCable(const char* pszFarEnd);
  ~VirtualCable() { plug(); }
  VirtualCable(const VirtualCable&) = delete;
  VirtualCable& operator=(const VirtualCable&) = delete;

  bool available() const { return !m_strHarness.empty(); }
  // Both ends vanish; true once the far end can no longer be opened.
  bool unplug() { return run("unplug") && waitFarEnd(false); }
  // The pair comes back on the same paths; true once the far end opens again.
  bool plug() { return !available() || (run("plug") && waitFarEnd(true)); }

private:
  bool run(const char* pszVerb);
  bool waitFarEnd(bool fPresent) const;

  std::string m_strFarEnd;
  std::string m_strHarness;
};
