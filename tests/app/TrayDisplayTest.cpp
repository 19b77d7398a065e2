#include "app/HelpRequest.h"
#include "app/ResourceIds.h"
#include "app/TrayDisplay.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

namespace
{
QuilbarProfile profileNamed(const std::string& strName)
{
  QuilbarProfile profile;
  profile.setName(strName);
  profile.setPort("COM5");
  profile.setSpeed("19200");
  return profile;
}

TEST(TrayDisplayTest, EachStateHasItsIconAndAFreshTip)
{
  QuilbarProfile profile = profileNamed("Line1");
  const int rgnIcons[] = {IDI_TRAY_NODATA, IDI_TRAY_DATA1, IDI_TRAY_DATA2, IDI_TRAY_DATA3};
  for (unsigned nState = 0; nState < 4; ++nState)
  {
    SCOPED_TRACE(nState);
    TrayDisplay display;
    ASSERT_TRUE(TrayDisplay::forState(nState, &profile, display));
    EXPECT_EQ(rgnIcons[nState], display.nIconId);
    EXPECT_EQ("Tarnwick Quilbar\r\nLine1,COM5,19200,8,No parity,1", display.strTip);
  }
  // A state no thread of the program posts (another program may post anything) shows nothing.
  for (unsigned nState : {4u, 136u, 0xFFFFFFFFu})
  {
    TrayDisplay display;
    EXPECT_FALSE(TrayDisplay::forState(nState, &profile, display)) << nState;
  }
}

TEST(TrayDisplayTest, TipsAreCutTo63CharactersAndNameTheProgramWithoutAProfile)
{
  EXPECT_EQ("Tarnwick Quilbar", TrayDisplay::idle(nullptr).strTip);
  QuilbarProfile profile = profileNamed(std::string(60, 'N'));
  std::string strTip = TrayDisplay::idle(&profile).strTip;
  EXPECT_EQ(63u, strTip.size());
  EXPECT_EQ("Tarnwick Quilbar\r\n" + std::string(45, 'N'), strTip);

  TrayDisplay failure = TrayDisplay::failure(std::string(100, 'x'));
  EXPECT_EQ(IDI_TRAY_FAILED, failure.nIconId);
  EXPECT_EQ(std::string(63, 'x'), failure.strTip);
}

// Output that was not typed replaces the tip of every state the data strings cycle through, so
// the blinking icon does not wipe it out; the port's failure message stays where it is.
TEST(TrayDisplayTest, TheNotTypedReasonStaysOnEveryStateButTheFailureIcon)
{
  QuilbarProfile profile = profileNamed("Line1");
  for (unsigned nState = 0; nState < 4; ++nState)
  {
    SCOPED_TRACE(nState);
    TrayDisplay display;
    ASSERT_TRUE(TrayDisplay::forState(nState, &profile, display));
    TrayDisplay shown = display.withNotTyped("keyboard output switched off");
    EXPECT_EQ(display.nIconId, shown.nIconId);
    EXPECT_EQ("Not typed: keyboard output switched off", shown.strTip);
    EXPECT_EQ(display.strTip, display.withNotTyped("").strTip) << "delivered: the profile's tip again";
  }
  TrayDisplay failure = TrayDisplay::failure("Error opening COM5");
  EXPECT_EQ("Error opening COM5", failure.withNotTyped("no window in front").strTip);
  EXPECT_EQ(63u, TrayDisplay::notTypedTip(std::string(80, 'r')).size());
  EXPECT_EQ("Not typed: " + std::string(52, 'r'), TrayDisplay::notTypedTip(std::string(80, 'r')));
}

TEST(HelpRequestTest, TheHelpFileLivesBesideTheProgram)
{
  EXPECT_EQ("C:\\Program Files\\Quilbar\\Quilbar.chm", HelpRequest::helpFileBeside("C:\\Program Files\\Quilbar\\Quilbar.exe"));
  EXPECT_EQ("Quilbar.chm", HelpRequest::helpFileBeside(""));
  EXPECT_EQ("Quilbar.chm", HelpRequest::helpFileBeside("Quilbar.exe"));
}

TEST(HelpRequestTest, EachKindOfRequestBecomesItsViewerCommand)
{
  struct Row
  {
    HelpRequest::Kind kind;
    const char* pszTopic;
    unsigned uCommand;
    const char* pszTarget;
  };
  const Row rgRows[] = {
      {HelpRequest::Kind::kContents, "", HelpRequest::kDisplayTopic, "Q.chm"},
      {HelpRequest::Kind::kContext, "", HelpRequest::kHelpContext, "Q.chm"},
      {HelpRequest::Kind::kQuit, "", HelpRequest::kCloseAll, "Q.chm"},
      {HelpRequest::Kind::kIndex, "", HelpRequest::kDisplayTopic, "Q.chm"},
      {HelpRequest::Kind::kIndex, "ports.htm", HelpRequest::kDisplayTopic, "Q.chm::/ports.htm"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszTarget);
    HelpRequest request;
    request.kind = row.kind;
    request.strTopic = row.pszTopic;
    EXPECT_EQ(row.uCommand, request.command());
    EXPECT_EQ(row.pszTarget, request.target("Q.chm"));
  }
}
}  // namespace
