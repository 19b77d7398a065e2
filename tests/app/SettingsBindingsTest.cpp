// The binding tables of the settings sheet: every profile value the sheet edits is bound exactly
// once, every binding carries its value to its control and back, and the controls show the values
// the way the pages do (radio buttons, ticks, numbers, lists that lack a stored value).
#include "FakeControlValues.h"
#include "ProfileSamples.h"
#include "sheet/ProfileBinding.h"
#include "app/ResourceIds.h"
#include "sheet/SettingsBindings.h"
#include "sheet/PolicyLocks.h"
#include "settings/SettingsPolicy.h"
#include "RegistryFill.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace
{
std::string valueOf(const ProfileBinding& binding, const QuilbarProfile& profile)
{
  switch (binding.kind)
  {
  case BindingKind::Text:
  case BindingKind::Choice:
    return (profile.*binding.pfnGetText)();
  case BindingKind::List:
  {
    std::string strList;
    for (const std::string& strItem : (profile.*binding.pfnGetList)())
      strList += "[" + strItem + "]";
    return strList;
  }
  default:
    return std::to_string((profile.*binding.pfnGetNumber)());
  }
}
}  // namespace

TEST(SettingsBindings, EveryValueTheSheetEditsIsBoundExactlyOnce)
{
  // Every profile value but Name, which the main window owns, with the hold values and the GS1
  // input forms of our own.
  std::vector<std::string> rgstrExpected = {
      "Port", "Speed", "Data", "Parity", "Stop", "DTR", "RTS", "CTSHigh", "CTSLow", "DSRHigh", "DSRLow",
      "RIHigh", "RILow", "DCDHigh", "DCDLow", "DuplicateStringFilter", "DuplicateFilterTime", "InitString",
      "KeyCase", "IntercharacterDelay", "SendPreAndPostfixKeys", "AutoStart", "HideOnStartup", "HideWindow",
      "LockOutputWindow", "Logging", "LogFilename", "Titles", "FilterUnkownDataStrings", "TerminationType",
      "DataStringTerminator", "TerminationTimeout", "HoldForLockedWindow", "HoldTimeLimit",
      "GS1InputForms"};
  std::vector<std::string> rgstrBound;
  for (const BindingTable* pTable : SettingsBindings::all())
    for (const ProfileBinding& binding : *pTable)
      rgstrBound.push_back(binding.pszValue);
  std::sort(rgstrExpected.begin(), rgstrExpected.end());
  std::sort(rgstrBound.begin(), rgstrBound.end());
  EXPECT_EQ(rgstrExpected, rgstrBound);
}

TEST(SettingsBindings, NoControlShowsTwoValues)
{
  std::set<int> setIds;
  for (const BindingTable* pTable : SettingsBindings::all())
  {
    for (const ProfileBinding& binding : *pTable)
    {
      std::vector<int> rgnIds = {binding.nId};
      for (const RadioChoice& choice : binding.rgRadio)
        if (choice.nId != binding.nId)
          rgnIds.push_back(choice.nId);
      for (int nId : rgnIds)
        EXPECT_TRUE(setIds.insert(nId).second) << binding.pszValue << " shares control " << nId;
    }
  }
}

TEST(SettingsBindings, EveryBindingCarriesItsValueToItsControlAndBack)
{
  const QuilbarProfile source = profileWithNothingAtDefault();
  const QuilbarProfile defaults;
  for (const BindingTable* pTable : SettingsBindings::all())
  {
    FakeControlValues controls;
    loadControls(*pTable, source, controls);
    QuilbarProfile target;
    storeControls(*pTable, controls, target);
    for (const ProfileBinding& binding : *pTable)
    {
      SCOPED_TRACE(binding.pszValue);
      ASSERT_NE(valueOf(binding, defaults), valueOf(binding, source)) << "the source must differ from the default";
      EXPECT_EQ(valueOf(binding, source), valueOf(binding, target));
    }
  }
}

TEST(SettingsBindings, ControlsShowValuesAsThePagesDo)
{
  QuilbarProfile profile = profileWithNothingAtDefault();
  profile.setAutoStart(2);
  FakeControlValues controls;
  for (const BindingTable* pTable : SettingsBindings::all())
    loadControls(*pTable, profile, controls);

  struct CheckRow
  {
    int nId;
    bool fChecked;
  };
  const CheckRow rgChecks[] = {
      {IDC_COMMUNICATION_DTR_HIGH, false}, {IDC_COMMUNICATION_DTR_LOW, true},   {IDC_COMMUNICATION_RTS_HIGH, false},
      {IDC_COMMUNICATION_RTS_LOW, true},   {IDC_KEYBOARD_CASE_NORMAL, false},   {IDC_KEYBOARD_CASE_UPPER, false},
      {IDC_KEYBOARD_CASE_LOWER, true},     {IDC_DATAEDITING_BY_CHARACTERS, false}, {IDC_DATAEDITING_BY_TIMEOUT, true},
      {IDC_INIT_AUTOSTART, true},          {IDC_PINEVENTS_DCD_LOW, true},
      {IDC_DATAEDITING_GS1_SYMBOLOGY, true}, {IDC_DATAEDITING_GS1_BRACKETED, false},
      {IDC_DATAEDITING_GS1_DIGITAL_LINK, true},
  };
  for (const CheckRow& row : rgChecks)
  {
    SCOPED_TRACE(row.nId);
    EXPECT_EQ(row.fChecked, controls.isChecked(row.nId));
  }
  EXPECT_EQ("2500", controls.getText(IDC_COMMUNICATION_FILTER_TIME));
  EXPECT_EQ("90", controls.getText(IDC_WINDOW_HOLD_TIME));
  EXPECT_EQ("<CR><LF>", controls.getText(IDC_DATAEDITING_TERMINATOR));
  EXPECT_EQ((std::vector<std::string>{"*Notepad", "Doc?"}), controls.getList(IDC_WINDOW_SETUP));
}

TEST(SettingsBindings, StoredValueTheListDoesNotOfferIsShownAndKept)
{
  QuilbarProfile profile;
  profile.setSpeed("14400");
  FakeControlValues controls;
  controls.m_mapChoices[IDC_COMMUNICATION_SPEED] = {"9600", "19200"};
  loadControls(SettingsBindings::communicationPage(), profile, controls);
  EXPECT_EQ((std::vector<std::string>{"9600", "19200", "14400"}), controls.m_mapChoices[IDC_COMMUNICATION_SPEED]);
  QuilbarProfile stored;
  storeControls(SettingsBindings::communicationPage(), controls, stored);
  EXPECT_EQ("14400", stored.getSpeed());
}

TEST(SettingsBindings, TickedBoxesStoreOneAndRadioGroupsWithoutATickKeepTheValue)
{
  FakeControlValues controls;
  loadControls(SettingsBindings::keyboardPage(), QuilbarProfile(), controls);
  controls.setChecked(IDC_KEYBOARD_PRE_POSTFIX, true);
  for (int nId : {IDC_KEYBOARD_CASE_NORMAL, IDC_KEYBOARD_CASE_UPPER, IDC_KEYBOARD_CASE_LOWER})
    controls.setChecked(nId, false);
  QuilbarProfile profile;
  profile.setKeyCase(1);
  profile.setSendPreAndPostfixKeys(7);
  storeControls(SettingsBindings::keyboardPage(), controls, profile);
  EXPECT_EQ(1u, profile.getSendPreAndPostfixKeys());
  EXPECT_EQ(1u, profile.getKeyCase());
}

// The GS1 forms are bits of one number: each box sets or clears its own bit, and a bit no box
// shows (stored by a later version) survives the page.
TEST(SettingsBindings, GS1FormBoxesChangeOnlyTheirOwnBits)
{
  QuilbarProfile profile;
  profile.setGS1InputForms(0x80000002u);
  FakeControlValues controls;
  loadControls(SettingsBindings::dataEditingPage(), profile, controls);
  EXPECT_FALSE(controls.isChecked(IDC_DATAEDITING_GS1_SYMBOLOGY));
  EXPECT_TRUE(controls.isChecked(IDC_DATAEDITING_GS1_BRACKETED));
  controls.setChecked(IDC_DATAEDITING_GS1_BRACKETED, false);
  controls.setChecked(IDC_DATAEDITING_GS1_DIGITAL_LINK, true);
  storeControls(SettingsBindings::dataEditingPage(), controls, profile);
  EXPECT_EQ(0x80000004u, profile.getGS1InputForms());
}

TEST(SettingsBindings, NumberFieldsReadTheirLeadingDigits)
{
  struct Row
  {
    const char* pszText;
    uint32_t dwValue;
  };
  const Row rgRows[] = {
      {"0", 0},          {"10000", 10000},       {"", 0},         {"abc", 0},  {"  42", 42},
      {"42ms", 42},      {"-5", 0},              {"007", 7},      {"4294967295", 4294967295u},
      {"4294967296", 4294967295u}, {"99999999999999999999", 4294967295u},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszText);
    EXPECT_EQ(row.dwValue, parseNumberText(row.pszText));
  }
}

namespace
{
// A policy dims the controls of the values it sets, with the spin arrows and buttons that would
// change them, and says so on the page; pages it does not touch stay as they were.
TEST(PolicyLocksTest, ThePolicysValuesAreDimmedWithWhateverWouldChangeThem)
{
  ScratchKey scratch(currentTestKeyName());
  ASSERT_TRUE(plantKey(scratch.key(), "Policy",
                       {{"Port", "COM7"}, {"DTR", 0u}, {"DuplicateFilterTime", 5u}, {"InitString", "ATZ"},
                        {"GS1InputForms", 1u}, {"DataStringTerminator", "<CR>"}}));
  SettingsPolicy policy(scratch.path() + "\\Policy");
  policy.load();
  struct Row
  {
    const char* pszPage;
    const BindingTable& table;
    std::set<int> dimmed;
  };
  const Row rgRows[] = {
      {"communication", SettingsBindings::communicationPage(),
       {IDC_COMMUNICATION_PORT, IDC_COMMUNICATION_DTR_HIGH, IDC_COMMUNICATION_DTR_LOW, IDC_COMMUNICATION_FILTER_TIME,
        IDC_COMMUNICATION_FILTER_SPIN}},
      {"keyboard", SettingsBindings::keyboardPage(), {}},
      {"init", SettingsBindings::initPage(), {IDC_INIT_STRING, IDC_INIT_REMOVE}},
      {"data editing", SettingsBindings::dataEditingPage(),
       {IDC_DATAEDITING_TERMINATOR, IDC_DATAEDITING_SELECT, IDC_DATAEDITING_GS1_SYMBOLOGY,
        IDC_DATAEDITING_GS1_BRACKETED, IDC_DATAEDITING_GS1_DIGITAL_LINK}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszPage);
    FakeControlValues controls;
    PolicyLocks(policy).apply(row.table, controls);
    std::set<int> dimmed;
    for (const auto& entry : controls.m_mapEnabled)
    {
      if (!entry.second)
        dimmed.insert(entry.first);
    }
    EXPECT_EQ(row.dimmed, dimmed);
    EXPECT_EQ(row.dimmed.empty() ? "" : PolicyLocks::kszNote, controls.getText(IDC_SETTINGS_POLICY_NOTE));

    FakeControlValues untouched;
    PolicyLocks().apply(row.table, untouched);
    EXPECT_TRUE(untouched.m_mapEnabled.empty());
  }
}
}  // namespace
