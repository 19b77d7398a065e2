#pragma once

#include <string>

class QuilbarProfile;

// What the tray icon shows: the resource id of the icon and the tip, already cut to fit. All the
// program's decisions about the icon are made here, so that every state reaches the icon the
// same way.
struct TrayDisplay
{
  int nIconId = 0;
  std::string strTip;

  // The tip for the current profile: "Tarnwick Quilbar" alone without one.
  static std::string tipFor(const QuilbarProfile* pCurrentProfile);
  // A state of WM_SETTRAYSTATE, 0 idle to 3 pin event; false for any other number.
  static bool forState(unsigned nState, const QuilbarProfile* pCurrentProfile, TrayDisplay& display);
  static TrayDisplay idle(const QuilbarProfile* pCurrentProfile);
  // The port could not be opened or set up: the failure icon with the message as its tip.
  static TrayDisplay failure(const std::string& strMessage);

  // "Not typed: <reason>", cut to fit.
  static std::string notTypedTip(const std::string& strReason);
  // What is shown while output has not been typed (strNotTyped its reason, empty when the last
  // string was delivered): the display with that tip in place of its own, except on the failure
  // icon, whose message matters more while the port is not reading.
  TrayDisplay withNotTyped(const std::string& strNotTyped) const;
};
