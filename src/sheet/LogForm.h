#pragma once

#include <functional>
#include <string>

class ControlValues;
class QuilbarProfile;

// The rule of the "Log" page when it is left: a changed file name is accepted only when the
// page's own line can be written to that file.
class LogForm
{
public:
  // Writes the "New log filename set." line to the file; false when it cannot.
  using Announcer = std::function<bool(const std::string& strFilename)>;

  struct Outcome
  {
    bool fMayLeave = true;
    std::string strMessage;  // shown with a stop icon when the page must stay
    int nFocusId = 0;
  };

  // Stores the page's values into the profile, or refuses (storing nothing).
  static Outcome leave(const ControlValues& controls, QuilbarProfile& profile, const Announcer& fnAnnounce);
};
