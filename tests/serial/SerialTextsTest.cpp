// The small text conversions of serial acquisition: raw-input log lines and their replay, the
// tray tip, the port error texts, letter case.
#include "serial/KeyCase.h"
#include "serial/PortMessages.h"
#include "serial/RawInputLine.h"
#include "serial/SerialSettings.h"
#include "serial/TrayTip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const std::string kstrStamp = "2007-03-01 14:05:09.042 ";

TEST(RawInputLineTest, FormatsLowerCaseHexPairs)
{
  EXPECT_EQ("41 42 0d", formatRawInput("AB\r"));
  EXPECT_EQ("", formatRawInput(""));
  EXPECT_EQ("00 ff 7f 80", formatRawInput(std::string("\0\xff\x7f\x80", 4)));
}

struct ReplayRow
{
  std::string strLine;
  bool fReplayed;
  std::string strBytes;
};

TEST(RawInputLineTest, ReplayTakesOnlyRawInputLines)
{
  std::vector<ReplayRow> rgRows = {
    {kstrStamp + "RAW INPUT DATA: 41 42 0d", true, "AB\r"},
    {kstrStamp + "RAW INPUT DATA: 41  42 ", true, "AB"},
    {kstrStamp + "RAW INPUT DATA: 0 A ff", true, std::string("\0\n\xff", 3)},
    {kstrStamp + "RAW INPUT DATA: 5B 4e", true, "[N"},
    {kstrStamp + "RAW INPUT DATA: ", false, ""},
    {kstrStamp + "RAW INPUT DATA: 41 zz", false, ""},
    {kstrStamp + "RAW INPUT DATA: 141", false, ""},
    {kstrStamp + "RAW INPUT DATA: 4g", false, ""},
    {kstrStamp + "Keyboard Output: Keyboard Data = x", false, ""},
    {kstrStamp + "RAW INPUT DATA", false, ""},
    {"short line", false, ""},
    {"", false, ""},
    {"RAW INPUT DATA: 41", false, ""},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.strLine);
    std::string strBytes = "left over";
    EXPECT_EQ(row.fReplayed, parseReplayLine(row.strLine, strBytes));
    EXPECT_EQ(row.strBytes, strBytes);
  }
}

TEST(RawInputLineTest, ReplayGivesBackWhatWasLogged)
{
  std::string strAll;
  for (int n = 0; n < 256; ++n)
    strAll += static_cast<char>(n);
  // A whole line far beyond the 1023 characters of the old fixed buffer.
  strAll += strAll;
  std::string strBytes;
  ASSERT_TRUE(parseReplayLine(kstrStamp + "RAW INPUT DATA: " + formatRawInput(strAll), strBytes));
  EXPECT_EQ(strAll, strBytes);
}

TEST(TrayTipTest, NamesTheProfileAndLineSettings)
{
  EXPECT_EQ("Tarnwick Quilbar", buildTrayTip(nullptr));
  SerialSettings settings;
  settings.strName = "Lab";
  EXPECT_EQ("Tarnwick Quilbar\r\nLab,COM1,9600,8,No parity,1", buildTrayTip(&settings));
}

TEST(TrayTipTest, LongTipIsCutTo63Characters)
{
  SerialSettings settings;
  settings.strName = "A profile name long enough to push the tip past its field";
  std::string strTip = buildTrayTip(&settings);
  EXPECT_EQ(63u, strTip.size());
  EXPECT_EQ(0u, strTip.find("Tarnwick Quilbar\r\nA profile name"));
}

TEST(PortMessagesTest, PortNameReplacesPlaceholder)
{
  EXPECT_EQ("Failed to open serial port COM7. If this is a com port that exist on this PC, another "
            "application has the port opened (like for example HyperTerminal or ActiveSync). It "
            "may also be the case that there is a printer driver installed on the com port.",
            formatPortError(kIdsPortOpenFailed, "COM7"));
  EXPECT_EQ("The serial port COM12 could be opened but settings (speed, data, stop, parity) could "
            "not be applied.",
            formatPortError(kIdsPortSettingsFailed, "COM12"));
  EXPECT_EQ(103, kIdsPortOpenFailed);
  EXPECT_EQ(121, kIdsPortSettingsFailed);
}

TEST(KeyCaseTest, ConvertsWindows1252LettersOnly)
{
  std::string strAll;
  for (int n = 1; n < 256; ++n)
    strAll += static_cast<char>(n);
  std::string strUpper = strAll;
  applyKeyCase(strUpper, kKeyCaseUpper);
  std::string strLower = strAll;
  applyKeyCase(strLower, kKeyCaseLower);
  std::string strSame = strAll;
  applyKeyCase(strSame, kKeyCaseAsReceived);
  EXPECT_EQ(strAll, strSame);
  for (int n = 1; n < 256; ++n)
  {
    SCOPED_TRACE(n);
    unsigned char up = static_cast<unsigned char>(strUpper[n - 1]);
    unsigned char low = static_cast<unsigned char>(strLower[n - 1]);
    bool fAsciiLower = n >= 'a' && n <= 'z';
    bool fAsciiUpper = n >= 'A' && n <= 'Z';
    if (n < 0x80)
    {
      EXPECT_EQ(fAsciiLower ? n - 32 : n, up);
      EXPECT_EQ(fAsciiUpper ? n + 32 : n, low);
    }
    else if (up != n)
    {
      // A converted byte has a partner that converts back.
      std::string strBack(1, static_cast<char>(up));
      applyKeyCase(strBack, kKeyCaseLower);
      EXPECT_EQ(n, static_cast<unsigned char>(strBack[0]));
    }
  }
  // Division and multiplication signs, sharp s and micro sign have no case partner.
  for (unsigned char c : {0xF7, 0xD7, 0xDF, 0xB5})
  {
    std::string str(1, static_cast<char>(c));
    applyKeyCase(str, c >= 0xE0 ? kKeyCaseUpper : kKeyCaseLower);
    EXPECT_EQ(c, static_cast<unsigned char>(str[0]));
  }
  std::string strPairs = "\x9a\x9c\x9e\xff";
  applyKeyCase(strPairs, kKeyCaseUpper);
  EXPECT_EQ("\x8a\x8c\x8e\x9f", strPairs);
  applyKeyCase(strPairs, kKeyCaseLower);
  EXPECT_EQ("\x9a\x9c\x9e\xff", strPairs);
}

TEST(KeyCaseTest, UnknownSettingLeavesBytesAlone)
{
  std::string str = "aB";
  applyKeyCase(str, 3);
  EXPECT_EQ("aB", str);
}
}  // namespace
