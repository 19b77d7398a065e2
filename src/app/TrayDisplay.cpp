#include "TrayDisplay.h"

#include "ResourceIds.h"
#include "serial/SerialSettings.h"
#include "serial/TrayTip.h"
#include "settings/QuilbarProfile.h"

std::string TrayDisplay::tipFor(const QuilbarProfile* pCurrentProfile)
{
  if (pCurrentProfile == nullptr)
    return buildTrayTip(nullptr);
  SerialSettings settings = serialSettingsOf(*pCurrentProfile);
  return buildTrayTip(&settings);
}

bool TrayDisplay::forState(unsigned nState, const QuilbarProfile* pCurrentProfile, TrayDisplay& display)
{
  static const int krgnIcons[] = {IDI_TRAY_NODATA, IDI_TRAY_DATA1, IDI_TRAY_DATA2, IDI_TRAY_DATA3};
  if (nState >= sizeof(krgnIcons) / sizeof(krgnIcons[0]))
    return false;
  display.nIconId = krgnIcons[nState];
  display.strTip = tipFor(pCurrentProfile);
  return true;
}

TrayDisplay TrayDisplay::idle(const QuilbarProfile* pCurrentProfile)
{
  TrayDisplay display;
  forState(0, pCurrentProfile, display);
  return display;
}

TrayDisplay TrayDisplay::failure(const std::string& strMessage)
{
  TrayDisplay display;
  display.nIconId = IDI_TRAY_FAILED;
  display.strTip = cutTrayTip(strMessage);
  return display;
}

std::string TrayDisplay::notTypedTip(const std::string& strReason)
{
  return cutTrayTip("Not typed: " + strReason);
}

TrayDisplay TrayDisplay::withNotTyped(const std::string& strNotTyped) const
{
  TrayDisplay display = *this;
  if (!strNotTyped.empty() && nIconId != IDI_TRAY_FAILED)
    display.strTip = notTypedTip(strNotTyped);
  return display;
}
