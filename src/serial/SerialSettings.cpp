#include "SerialSettings.h"

#include "TerminatorList.h"
#include "settings/QuilbarProfile.h"

SerialSettings serialSettingsOf(const QuilbarProfile& profile)
{
  SerialSettings settings;
  settings.strName = profile.getName();
  settings.strPort = profile.getPort();
  settings.strSpeed = profile.getSpeed();
  settings.strData = profile.getData();
  settings.strParity = profile.getParity();
  settings.strStop = profile.getStop();
  settings.fDTR = profile.getDTR() == 1;
  settings.fRTS = profile.getRTS() == 1;
  settings.fCTSHigh = profile.getCTSHigh() == 1;
  settings.fCTSLow = profile.getCTSLow() == 1;
  settings.fDSRHigh = profile.getDSRHigh() == 1;
  settings.fDSRLow = profile.getDSRLow() == 1;
  settings.fRIHigh = profile.getRIHigh() == 1;
  settings.fRILow = profile.getRILow() == 1;
  settings.fDCDHigh = profile.getDCDHigh() == 1;
  settings.fDCDLow = profile.getDCDLow() == 1;
  settings.strInitString = profile.getInitString();
  settings.dwKeyCase = profile.getKeyCase();
  settings.fHideWindow = profile.getHideWindow() == 1;
  settings.fLogging = profile.getLogging() == 1;
  settings.dwTerminationType = profile.getTerminationType();
  settings.strDataStringTerminator = profile.getDataStringTerminator();
  settings.dwTerminationTimeout = profile.getTerminationTimeout();
  return settings;
}

bool canEndDataStrings(const SerialSettings& settings)
{
  return settings.dwTerminationType != kTerminationByTerminator
         || !TerminatorList(settings.strDataStringTerminator).items().empty();
}
