#include "settings/QuilbarProfile.h"
#include "serial/SerialSettings.h"

#include <gtest/gtest.h>

namespace
{
TEST(SerialSettingsTest, DefaultsMatchTheProfileDefaults)
{
  SerialSettings fromProfile = serialSettingsOf(QuilbarProfile());
  SerialSettings plain;
  EXPECT_EQ(plain.strPort, fromProfile.strPort);
  EXPECT_EQ(plain.strSpeed, fromProfile.strSpeed);
  EXPECT_EQ(plain.strData, fromProfile.strData);
  EXPECT_EQ(plain.strParity, fromProfile.strParity);
  EXPECT_EQ(plain.strStop, fromProfile.strStop);
  EXPECT_EQ(plain.fDTR, fromProfile.fDTR);
  EXPECT_EQ(plain.fRTS, fromProfile.fRTS);
  EXPECT_EQ(plain.dwTerminationType, fromProfile.dwTerminationType);
  EXPECT_EQ(plain.strDataStringTerminator, fromProfile.strDataStringTerminator);
  EXPECT_EQ(plain.dwTerminationTimeout, fromProfile.dwTerminationTimeout);
  EXPECT_EQ(plain.dwKeyCase, fromProfile.dwKeyCase);
  EXPECT_FALSE(fromProfile.fCTSHigh || fromProfile.fCTSLow || fromProfile.fDSRHigh ||
               fromProfile.fDSRLow || fromProfile.fRIHigh || fromProfile.fRILow ||
               fromProfile.fDCDHigh || fromProfile.fDCDLow || fromProfile.fHideWindow ||
               fromProfile.fLogging);
}

TEST(SerialSettingsTest, EveryValueIsTakenAndFlagsAreOnOnlyAtOne)
{
  QuilbarProfile profile;
  profile.setName("Lab");
  profile.setPort("COM7");
  profile.setSpeed("19200");
  profile.setData("7");
  profile.setParity("Even");
  profile.setStop("2");
  profile.setDTR(2);  // a stored 2 is not "on"
  profile.setRTS(0);
  profile.setCTSHigh(1);
  profile.setDSRLow(1);
  profile.setRIHigh(1);
  profile.setDCDLow(1);
  profile.setInitString("AT^M");
  profile.setKeyCase(2);
  profile.setHideWindow(1);
  profile.setLogging(1);
  profile.setTerminationType(1);
  profile.setDataStringTerminator("<LF>");
  profile.setTerminationTimeout(75);
  SerialSettings settings = serialSettingsOf(profile);
  EXPECT_EQ("Lab", settings.strName);
  EXPECT_EQ("COM7", settings.strPort);
  EXPECT_EQ("19200", settings.strSpeed);
  EXPECT_EQ("7", settings.strData);
  EXPECT_EQ("Even", settings.strParity);
  EXPECT_EQ("2", settings.strStop);
  EXPECT_FALSE(settings.fDTR);
  EXPECT_FALSE(settings.fRTS);
  EXPECT_TRUE(settings.fCTSHigh);
  EXPECT_FALSE(settings.fCTSLow);
  EXPECT_FALSE(settings.fDSRHigh);
  EXPECT_TRUE(settings.fDSRLow);
  EXPECT_TRUE(settings.fRIHigh);
  EXPECT_FALSE(settings.fRILow);
  EXPECT_FALSE(settings.fDCDHigh);
  EXPECT_TRUE(settings.fDCDLow);
  EXPECT_EQ("AT^M", settings.strInitString);
  EXPECT_EQ(2u, settings.dwKeyCase);
  EXPECT_TRUE(settings.fHideWindow);
  EXPECT_TRUE(settings.fLogging);
  EXPECT_EQ(1u, settings.dwTerminationType);
  EXPECT_EQ("<LF>", settings.strDataStringTerminator);
  EXPECT_EQ(75u, settings.dwTerminationTimeout);
}
}  // namespace
