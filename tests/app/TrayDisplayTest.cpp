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
