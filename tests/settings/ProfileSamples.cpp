#include "ProfileSamples.h"

QuilbarProfile profileWithNothingAtDefault()
{
  QuilbarProfile profile;
  profile.setPort("COM12");
  profile.setSpeed("115200");
  profile.setData("7");
  profile.setParity("Odd");
  profile.setStop("1.5");
  profile.setDTR(0);
  profile.setRTS(0);
  profile.setCTSHigh(1);
  profile.setCTSLow(1);
  profile.setDSRHigh(1);
  profile.setDSRLow(1);
  profile.setRIHigh(1);
  profile.setRILow(1);
  profile.setDCDHigh(1);
  profile.setDCDLow(1);
  profile.setDuplicateStringFilter(1);
  profile.setDuplicateFilterTime(2500);
  profile.setInitString("AT^M");
  profile.setKeyCase(2);
  profile.setIntercharacterDelay(15);
  profile.setSendPreAndPostfixKeys(1);
  profile.setAutoStart(1);
  profile.setHideOnStartup(1);
  profile.setHideWindow(1);
  profile.setLockOutputWindow(1);
  profile.setLogging(1);
  profile.setLogFilename("C:\\Logs\\quilbar.log");
  profile.setTitles({"*Notepad", "Doc?"});
  profile.setFilterUnkownDataStrings(1);
  profile.setTerminationType(1);
  profile.setDataStringTerminator("<CR><LF>");
  profile.setTerminationTimeout(250);
  profile.setHoldForLockedWindow(1);
  profile.setHoldTimeLimit(90);
  profile.setGS1InputForms(5);
  return profile;
}
