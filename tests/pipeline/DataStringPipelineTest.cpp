#include "pipeline/DataStringPipeline.h"

#include "pipeline/EventLog.h"
#include "pipeline/OutputNotice.h"
#include "keyboard/KeyboardEvents.h"
#include "KeyboardFakes.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/KeystrokePlanner.h"
#include "PipelineFakes.h"
#include "PipelineFixture.h"
#include "RecordingExpressionActions.h"
#include "TempLogFile.h"
#include "engine/GS1Normaliser.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>

namespace
{
using namespace keyboardtest;
using namespace pipelinetest;
using Lines = std::vector<std::string>;

// The main window as output expressions see it: SetProfile lands in the pipeline, and reopening
// the port replaces the running profile by a fresh copy, as OpenPort does.
class PipelineMainWindow : public RecordingMainWindow
{
public:
  void setPendingProfile(const std::string& strName) override
  {
    RecordingMainWindow::setPendingProfile(strName);
    m_pPipeline->setPendingProfile(strName);
  }
  void openPort() override
  {
    RecordingMainWindow::openPort();
    QuilbarProfile copy(*m_pRunningProfile);
    *m_pRunningProfile = copy;
  }

  DataStringPipeline* m_pPipeline = nullptr;
  QuilbarProfile* m_pRunningProfile = nullptr;
};

// Records what the main window would show on its tray icon.
class RecordingOutputNotice : public OutputNotice
{
public:
  void outputNotTyped(const std::string& strReason) override { m_rgstrNotices.push_back("not typed: " + strReason); }
  void outputDelivered() override { m_rgstrNotices.push_back("delivered"); }

  Lines m_rgstrNotices;
};

struct Event
{
  std::string strName;
  Lines rgstrDetails;
};

class DataStringPipelineTest : public PipelineFixture
{
protected:
  DataStringPipelineTest()
  {
    m_mainWindow.m_pPipeline = &m_pipeline;
    m_mainWindow.m_pRunningProfile = &m_profile;
    m_pipeline.setMainWindow(&m_mainWindow);
    m_pipeline.setOutputNotice(&m_notice);
    m_monitors.m_nMonitors = 1;  // every event reaches the recording monitor
    m_profile.getDataEditFormatMap().removeAll();  // each test adds its own formats
  }
  ~DataStringPipelineTest() override { g_fKeyboardEvents = true; }

  void applyKeyboardSettings() { m_emitter.setSettings(m_keyboardSettings); }

  void addReplacement(const std::string& strInput, const std::string& strReplace)
  {
    auto pReplacement = std::make_unique<Replacement>();
    pReplacement->setInput(strInput);
    pReplacement->setReplace(strReplace);
    pReplacement->setOrder(m_profile.getReplacementMap().getCount());
    ASSERT_TRUE(m_profile.getReplacementMap().add(std::move(pReplacement)));
  }

  void enableDuplicateFilter(uint32_t dwMilliseconds)
  {
    m_profile.setDuplicateStringFilter(1);
    m_profile.setDuplicateFilterTime(dwMilliseconds);
  }

  void process(const char* pszData, uint32_t dwAfterMilliseconds = 0)
  {
    m_actions.m_nTick += dwAfterMilliseconds;
    m_pipeline.processInputString(pszData);
  }

  std::vector<Event> events() const
  {
    std::vector<Event> rgEvents;
    for (const std::string& strText : m_monitors.m_rgstrTexts)
    {
      std::istringstream lines(strText);
      Event event;
      std::getline(lines, event.strName);
      std::string strLine;
      std::getline(lines, strLine);
      EXPECT_EQ("Time Stamp = 2007-03-01 14:05:09.042", strLine);
      while (std::getline(lines, strLine))
        event.rgstrDetails.push_back(strLine);
      rgEvents.push_back(event);
    }
    return rgEvents;
  }

  Event lastEvent() const
  {
    std::vector<Event> rgEvents = events();
    EXPECT_FALSE(rgEvents.empty());
    return rgEvents.empty() ? Event() : rgEvents.back();
  }

  std::vector<std::string> eventNames() const
  {
    std::vector<std::string> rgstrNames;
    for (const Event& event : events())
      rgstrNames.push_back(event.strName);
    return rgstrNames;
  }

  std::string typed() const { return describeSteps(m_sink.m_rgSteps); }
  std::string plan(const char* psz) const
  {
    return describeSteps(KeystrokePlanner::planText(psz, m_keyMap, 0, 0, false).rgSteps);
  }
  std::string chord(int nVirtualKey, int nScanCode) const
  {
    return describeSteps(KeystrokePlanner::planModifiedChord(nVirtualKey, nScanCode, 0));
  }

  PipelineMainWindow m_mainWindow;
  RecordingOutputNotice m_notice;
};

TEST_F(DataStringPipelineTest, MatchingFormatIsTypedBetweenThePrefixAndPostfixChords)
{
  m_keyboardSettings.fSendPreAndPostfixKeys = true;
  applyKeyboardSettings();
  addFormat("Other", "\"no\"", "X*");
  addFormat("Order", "\"\\<\" + Input() + \"<CR>\"", "A*");
  process("AB");
  EXPECT_EQ(chord(0x31, 0x02) + plan("<AB\r") + chord(0x32, 0x03), typed());
  Event event = lastEvent();
  EXPECT_EQ("Keyboard Output", event.strName);
  EXPECT_EQ((Lines{"Input String = AB", "Input String (after replacements) = AB",
                   "Matching Data Editing Format = Order", "Keyboard Data = < A B Enter "}),
            event.rgstrDetails);
}

TEST_F(DataStringPipelineTest, TheFormatWithTheLowestOrderAmongMatchingOnesIsChosen)
{
  addFormat("First", "\"1\"", "Q*");
  addFormat("Second", "\"2\"", "A*");
  addFormat("Third", "\"3\"");
  process("AB");
  EXPECT_EQ(plan("2"), typed());
  EXPECT_EQ("Matching Data Editing Format = Second", lastEvent().rgstrDetails[2]);
}

TEST_F(DataStringPipelineTest, InputIsLoggedInNotationBeforeAndAfterReplacements)
{
  addReplacement("<CR>", "<TAB>");
  process("A<\\\r");
  Lines rgstrDetails = lastEvent().rgstrDetails;
  ASSERT_GE(rgstrDetails.size(), 2u);
  EXPECT_EQ("Input String = A\\<\\\\<CR>", rgstrDetails[0]);
  EXPECT_EQ("Input String (after replacements) = A\\<\\\\<HT>", rgstrDetails[1]);
}

TEST_F(DataStringPipelineTest, WithoutFormatsTheReplacedTextIsTypedWithoutChords)
{
  m_keyboardSettings.fSendPreAndPostfixKeys = true;
  applyKeyboardSettings();
  addReplacement("b", "c");
  process("ab");
  EXPECT_EQ(plan("ac"), typed());
  Event event = lastEvent();
  EXPECT_EQ("Keyboard Output", event.strName);
  EXPECT_EQ((Lines{"Input String = ab", "Input String (after replacements) = ac",
                   "No matching data edit format, data passed through", "Keyboard Data = a c "}),
            event.rgstrDetails);
}

TEST_F(DataStringPipelineTest, UnknownStringsAreDroppedWhenTheProfileFiltersThem)
{
  m_profile.setFilterUnkownDataStrings(1);
  addFormat("Only X", "Input()", "X*");
  process("ab");
  EXPECT_EQ("", typed());
  Event event = lastEvent();
  EXPECT_EQ("Data Filtered", event.strName);
  EXPECT_EQ((Lines{"Input String = ab", "Input String (after replacements) = ab"}), event.rgstrDetails);
}

TEST_F(DataStringPipelineTest, SubscribersReceiveTheOutputAndNothingIsTyped)
{
  m_subscribers.m_rgSubscribers = {{"Pelldrop", true}};
  addFormat("F", "Input() + \"<CR>\"");
  process("AB");
  EXPECT_EQ("", typed());
  EXPECT_EQ(Lines{"AB\r"}, m_subscribers.m_rgstrDelivered);
  Event event = lastEvent();
  EXPECT_EQ("Subscriber Output", event.strName);
  EXPECT_EQ((Lines{"Input String = AB", "Input String (after replacements) = AB", "Matching Data Editing Format = F",
                   "Subscriber Data = AB<CR>", "Subscribers = Pelldrop"}),
            event.rgstrDetails);
}

TEST_F(DataStringPipelineTest, UnknownStringsPassThroughToSubscribers)
{
  m_subscribers.m_rgSubscribers = {{"One", true}};
  addReplacement("1", "<GS>");
  process("a1");
  EXPECT_EQ(Lines{"a\x1D"}, m_subscribers.m_rgstrDelivered);
  EXPECT_EQ("", typed());
  Event event = lastEvent();
  EXPECT_EQ("Subscriber Output", event.strName);
  EXPECT_EQ((Lines{"Input String = a1", "Input String (after replacements) = a<GS>",
                   "No matching data edit format, data passed through", "Subscriber Data = a<GS>", "Subscribers = One"}),
            event.rgstrDetails);
}

TEST_F(DataStringPipelineTest, SubscriberTitlesListTheRemainingWindowsInOrder)
{
  struct Row
  {
    std::vector<RecordingSubscribers::Subscriber> rgSubscribers;
    std::string strDetail;
  };
  const Row rgRows[] = {
    {{{"A", true}, {"Gone", false}, {"B", true}}, "Subscribers = A, B"},
    {{{"", true}}, "Subscribers = , "},
    {{{"", true}, {"C", true}}, "Subscribers = , C"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.strDetail);
    m_monitors.m_rgstrTexts.clear();
    m_subscribers.m_rgSubscribers = row.rgSubscribers;
    process("x");
    EXPECT_EQ(row.strDetail, lastEvent().rgstrDetails.back());
  }
}

// A subscriber program that ended without unsubscribing (or was killed) must not swallow the
// data strings: its window is dropped, and with no subscriber left the string is typed as if
// there had never been one, with a format's chords or without them when it passed through.
TEST_F(DataStringPipelineTest, AVanishedSubscriberIsDroppedAndWithNoneLeftTheStringIsTyped)
{
  struct Row
  {
    const char* pszCase;
    std::vector<RecordingSubscribers::Subscriber> rgSubscribers;
    bool fFormat;
    std::string strTyped;  // filled below: plans need the fixture
    Lines rgstrDelivered;
    Lines rgstrRemoved;
    const char* pszEvent;
  };
  m_keyboardSettings.fSendPreAndPostfixKeys = true;
  applyKeyboardSettings();
  const std::string strWithChords = chord(0x31, 0x02) + plan("AB\r") + chord(0x32, 0x03);
  const Row rgRows[] = {
    {"gone before, format", {{"Gone", false}}, true, strWithChords, {}, {"Gone"}, "Keyboard Output"},
    {"gone before, passed through", {{"Gone", false}}, false, plan("AB"), {}, {"Gone"}, "Keyboard Output"},
    {"gone during the delivery, format", {{"Racing", true, true}}, true, strWithChords, {}, {"Racing"},
     "Keyboard Output"},
    {"gone during the delivery, passed through", {{"Racing", true, true}}, false, plan("AB"), {}, {"Racing"},
     "Keyboard Output"},
    {"one gone, one left", {{"Gone", false}, {"Live", true}}, true, "", {"AB\r"}, {"Gone"}, "Subscriber Output"},
    {"one gone during the delivery, one left", {{"Racing", true, true}, {"Live", true}}, false, "", {"AB"},
     {"Racing"}, "Subscriber Output"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    m_profile.getDataEditFormatMap().removeAll();
    if (row.fFormat)
      addFormat("F", "Input() + \"<CR>\"");
    m_sink.m_rgSteps.clear();
    m_monitors.m_rgstrTexts.clear();
    m_subscribers.m_rgstrDelivered.clear();
    m_subscribers.m_rgstrRemoved.clear();
    m_subscribers.m_rgSubscribers = row.rgSubscribers;
    process("AB");
    EXPECT_EQ(row.strTyped, typed());
    EXPECT_EQ(row.rgstrDelivered, m_subscribers.m_rgstrDelivered);
    EXPECT_EQ(row.rgstrRemoved, m_subscribers.m_rgstrRemoved);
    EXPECT_EQ(row.pszEvent, lastEvent().strName);
  }
}

TEST_F(DataStringPipelineTest, VanishedSubscribersAreLookedForBeforeEveryChoiceOfOutput)
{
  addFormat("F", "Input()", "F*");
  process("F1");
  process("x");
  EXPECT_EQ(2, m_subscribers.m_nRemovalChecks) << "once for the format, once for the passed-through string";
  m_profile.setFilterUnkownDataStrings(1);
  process("x");
  EXPECT_EQ(2, m_subscribers.m_nRemovalChecks) << "a filtered string goes nowhere";
}

TEST_F(DataStringPipelineTest, FormatErrorWithKeyboardKeepsTypedOutputAndStillSendsThePostfixChord)
{
  m_keyboardSettings.fSendPreAndPostfixKeys = true;
  applyKeyboardSettings();
  addFormat("Broken", "\"ok\" + \"<CR\"");
  process("x");
  EXPECT_EQ(chord(0x31, 0x02) + plan("ok") + chord(0x32, 0x03), typed());
  Event event = lastEvent();
  EXPECT_EQ("FORMAT ERROR!!!", event.strName);
  EXPECT_EQ("Error Message = String in constant expression could not be parsed [ \"<CR\" ].",
            event.rgstrDetails.back());
}

TEST_F(DataStringPipelineTest, FormatErrorWithSubscribersSendsThemNothing)
{
  m_subscribers.m_rgSubscribers = {{"S", true}};
  addFormat("Broken", "\"ok\" + \"<CR\"");
  process("x");
  EXPECT_TRUE(m_subscribers.m_rgstrDelivered.empty());
  EXPECT_EQ("", typed());
  Event event = lastEvent();
  EXPECT_EQ("FORMAT ERROR!!!", event.strName);
  EXPECT_EQ((Lines{"Input String = x", "Input String (after replacements) = x", "Matching Data Editing Format = Broken",
                   "Error Message = String in constant expression could not be parsed [ \"<CR\" ].",
                   "Subscribers = S"}),
            event.rgstrDetails);
}

TEST_F(DataStringPipelineTest, EachEvaluationForSubscribersStartsFromAnEmptyText)
{
  m_subscribers.m_rgSubscribers = {{"S", true}};
  addFormat("F", "Input()");
  process("one");
  process("two");
  EXPECT_EQ((Lines{"one", "two"}), m_subscribers.m_rgstrDelivered);
}

TEST_F(DataStringPipelineTest, LockedOutputWindowDropsTheStringAndLogsTheForegroundTitle)
{
  m_keyboardSettings.fLockOutputWindow = true;
  m_keyboardSettings.rgstrTitles = {"Orders*"};
  applyKeyboardSettings();
  m_foreground.m_strTitle = "Untitled - Notepad";
  process("A");
  m_foreground.m_fPresent = false;
  process("B");
  EXPECT_EQ("", typed());
  std::vector<Event> rgEvents = events();
  ASSERT_EQ(2u, rgEvents.size());
  EXPECT_EQ("Locked Window(s) Not Active", rgEvents[0].strName);
  EXPECT_EQ((Lines{"Input String = A", "Current Window's Title = Untitled - Notepad"}), rgEvents[0].rgstrDetails);
  EXPECT_EQ((Lines{"Input String = B", "No Active Window"}), rgEvents[1].rgstrDetails);
}

TEST_F(DataStringPipelineTest, ARefusedStringDoesNotBecomeThePreviousString)
{
  enableDuplicateFilter(500);
  m_keyboardSettings.fLockOutputWindow = true;
  m_keyboardSettings.rgstrTitles = {"Orders"};
  applyKeyboardSettings();
  m_foreground.m_strTitle = "Other";
  process("A");
  m_foreground.m_strTitle = "Orders";
  process("A", 10);
  EXPECT_EQ(plan("A"), typed());
  EXPECT_EQ((Lines{"Locked Window(s) Not Active", "Keyboard Output"}), eventNames());
}

TEST_F(DataStringPipelineTest, DuplicateWithinTheTimeIsFilteredAndRenewsTheTime)
{
  enableDuplicateFilter(500);
  process("A", 1000);
  process("A", 100);
  process("A", 450);
  process("A", 500);
  EXPECT_EQ(plan("A") + plan("A"), typed());
  std::vector<Event> rgEvents = events();
  ASSERT_EQ(4u, rgEvents.size());
  EXPECT_EQ("Keyboard Output", rgEvents[0].strName);
  EXPECT_EQ("Duplicate String Filtered", rgEvents[1].strName);
  EXPECT_EQ((Lines{"Input String = A", "Time Between Duplicates = 100 ms"}), rgEvents[1].rgstrDetails);
  EXPECT_EQ((Lines{"Input String = A", "Time Between Duplicates = 450 ms"}), rgEvents[2].rgstrDetails);
  EXPECT_EQ("Keyboard Output", rgEvents[3].strName) << "500 ms is not less than the filter time";
}

TEST_F(DataStringPipelineTest, OnlyTheImmediatelyPrecedingStringCounts)
{
  enableDuplicateFilter(500);
  process("A", 1000);
  process("B", 10);
  process("A", 10);
  EXPECT_EQ(plan("A") + plan("B") + plan("A"), typed());
}

TEST_F(DataStringPipelineTest, DuplicatesAreComparedAsReceivedAndCaseSensitively)
{
  enableDuplicateFilter(500);
  addReplacement("1", "");
  addReplacement("2", "");
  process("x1", 1000);
  process("x2", 10);
  process("X2", 10);
  EXPECT_EQ(plan("x") + plan("x") + plan("X"), typed());
}

TEST_F(DataStringPipelineTest, FilterTimeZeroNeverFilters)
{
  enableDuplicateFilter(0);
  process("A", 1000);
  process("A");
  EXPECT_EQ(plan("A") + plan("A"), typed());
}

TEST_F(DataStringPipelineTest, FilterOffLeavesThePreviousStringAlone)
{
  enableDuplicateFilter(500);
  process("A", 1000);
  m_profile.setDuplicateStringFilter(0);
  process("B", 10);
  m_profile.setDuplicateStringFilter(2);
  process("A", 10);
  m_profile.setDuplicateStringFilter(1);
  process("A", 10);
  EXPECT_EQ(plan("A") + plan("B") + plan("A"), typed()) << "only 1 turns the filter on; B was not remembered";
  EXPECT_EQ("Time Between Duplicates = 30 ms", lastEvent().rgstrDetails.back());
}

TEST_F(DataStringPipelineTest, ElapsedTimeIsRightAcrossTheWrapOfTheTickCounter)
{
  enableDuplicateFilter(500);
  m_actions.m_nTick = 0xFFFFFF00u;
  process("A");
  process("A", 0x110);
  EXPECT_EQ(0x10u, m_actions.m_nTick);
  EXPECT_EQ(plan("A"), typed());
  EXPECT_EQ("Time Between Duplicates = 272 ms", lastEvent().rgstrDetails.back());
}

TEST_F(DataStringPipelineTest, TheFirstEmptyStringIsNoDuplicateOfTheInitialState)
{
  enableDuplicateFilter(500);
  m_subscribers.m_rgSubscribers = {{"S", true}};
  process("", 5);
  process("", 5);
  EXPECT_EQ(Lines{""}, m_subscribers.m_rgstrDelivered);
}

TEST_F(DataStringPipelineTest, HugeFilterTimesPrintTheElapsedTimeUnsigned)
{
  enableDuplicateFilter(0xFFFFFFFFu);
  process("A");
  process("A", 0x90000000u);
  EXPECT_EQ("Time Between Duplicates = 2415919104 ms", lastEvent().rgstrDetails.back());
}

TEST_F(DataStringPipelineTest, NoKeyboardEventsStillProcessesAndLogsButTypesNothing)
{
  g_fKeyboardEvents = false;
  addFormat("F", "Input()");
  process("abc");
  EXPECT_EQ("", typed());
  EXPECT_EQ("Keyboard Output", lastEvent().strName);
  Lines rgstrDetails = lastEvent().rgstrDetails;
  ASSERT_GE(rgstrDetails.size(), 3u);
  EXPECT_EQ((Lines{"Keyboard Data = ", "Not Typed = keyboard output switched off",
                   "Current Window's Title = Untitled - Notepad"}),
            Lines(rgstrDetails.end() - 3, rgstrDetails.end()));
}

// Every way a string can fail to be typed reaches the user's notice with its reason, and the
// event names the window that was in front; the next string delivered clears the notice.
TEST_F(DataStringPipelineTest, OutputNotTypedIsToldWithItsReasonUntilTheNextDelivery)
{
  struct Row
  {
    const char* pszWorld;
    std::function<void()> fnSet;
    const char* pszReason;
    const char* pszWindowDetail;
  };
  const Row rgRows[] = {
      {"lock",
       [this] {
         m_keyboardSettings.fLockOutputWindow = true;
         m_keyboardSettings.rgstrTitles = {"Orders*"};
         applyKeyboardSettings();
       },
       "locked window not in front", "Current Window's Title = Untitled - Notepad"},
      {"keyboard events off", [] { g_fKeyboardEvents = false; }, "keyboard output switched off",
       "Current Window's Title = Untitled - Notepad"},
      {"no window in front", [this] { m_foreground.m_fPresent = false; }, "no window in front", "No Active Window"},
      {"elevated window", [this] { m_foreground.m_fElevated = true; }, "window in front runs as administrator",
       "Current Window's Title = Untitled - Notepad"},
      {"events refused", [this] { m_sink.m_nRefuseFrom = 0; }, "the system refused the keystrokes",
       "Current Window's Title = Untitled - Notepad"},
      {"character without a recipe", [this] { m_keyMap.entryOf('b').setValid(false); }, "no key for b",
       "Current Window's Title = Untitled - Notepad"},
  };
  addFormat("F", "Input()");
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszWorld);
    m_notice.m_rgstrNotices.clear();
    m_monitors.m_rgstrTexts.clear();
    row.fnSet();
    process("ab");
    EXPECT_EQ(Lines{std::string("not typed: ") + row.pszReason}, m_notice.m_rgstrNotices);
    Lines rgstrDetails = lastEvent().rgstrDetails;
    EXPECT_NE(rgstrDetails.end(), std::find(rgstrDetails.begin(), rgstrDetails.end(), row.pszWindowDetail));
    if (std::string(row.pszWorld) != "lock")
      EXPECT_NE(rgstrDetails.end(),
                std::find(rgstrDetails.begin(), rgstrDetails.end(), std::string("Not Typed = ") + row.pszReason));

    m_keyMap.setDefault();
    m_keyboardSettings = KeyboardOutputSettings();
    m_keyboardSettings.pmapKeyTranslator = &m_keyMap;
    applyKeyboardSettings();
    g_fKeyboardEvents = true;
    m_foreground = FakeForegroundWindow();
    m_sink.m_nRefuseFrom = -1;
    m_sink.m_rgSteps.clear();
    process("cd");
    EXPECT_EQ(plan("cd"), typed());
    EXPECT_EQ((Lines{std::string("not typed: ") + row.pszReason, "delivered"}), m_notice.m_rgstrNotices);
  }
}

// A string counts as delivered when a subscriber took it. When every subscriber left hung or did
// not answer in time it went nowhere: the event and the tray say so, and it is not typed either.
TEST_F(DataStringPipelineTest, OnlyAStringThatASubscriberTookCountsAsDelivered)
{
  struct Row
  {
    const char* pszCase;
    std::vector<RecordingSubscribers::Subscriber> rgSubscribers;
    bool fFormat;
    const char* pszNotice;
    const char* pszEvent;
    Lines rgstrLastDetails;
  };
  const Row rgRows[] = {
    {"taken, format", {{"Pelldrop", true}}, true, "delivered", "Subscriber Output",
     {"Subscriber Data = A<CR>", "Subscribers = Pelldrop"}},
    {"taken, passed through", {{"Pelldrop", true}}, false, "delivered", "Subscriber Output",
     {"Subscriber Data = A", "Subscribers = Pelldrop"}},
    {"one hung, one taking", {{"Hung", true, false, true}, {"Pelldrop", true}}, true, "delivered",
     "Subscriber Output", {"Subscriber Data = A<CR>", "Subscribers = Hung, Pelldrop"}},
    {"hung, format", {{"Hung", true, false, true}}, true, "not typed: no subscriber took the data",
     "Subscriber Output Not Delivered",
     {"Subscriber Data = A<CR>", "Not Delivered = no subscriber took the data", "Subscribers = Hung"}},
    {"hung and gone, passed through", {{"Hung", true, false, true}, {"Racing", true, true}}, false,
     "not typed: no subscriber took the data", "Subscriber Output Not Delivered",
     {"Subscriber Data = A", "Not Delivered = no subscriber took the data", "Subscribers = Hung"}},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    m_profile.getDataEditFormatMap().removeAll();
    if (row.fFormat)
      addFormat("F", "Input() + \"<CR>\"");
    m_notice.m_rgstrNotices.clear();
    m_monitors.m_rgstrTexts.clear();
    m_sink.m_rgSteps.clear();
    m_subscribers.m_rgSubscribers = row.rgSubscribers;
    process("A");
    EXPECT_EQ(Lines{row.pszNotice}, m_notice.m_rgstrNotices);
    Event event = lastEvent();
    EXPECT_EQ(row.pszEvent, event.strName);
    ASSERT_GE(event.rgstrDetails.size(), row.rgstrLastDetails.size());
    EXPECT_EQ(row.rgstrLastDetails, Lines(event.rgstrDetails.end() - row.rgstrLastDetails.size(),
                                          event.rgstrDetails.end()));
    EXPECT_EQ("", typed());
  }
}

TEST_F(DataStringPipelineTest, FilteredStringsAreNeitherDeliveredNorRefused)
{
  m_profile.setFilterUnkownDataStrings(1);
  addFormat("Only X", "Input()", "X*");
  process("A");
  EXPECT_TRUE(m_notice.m_rgstrNotices.empty());
}

TEST_F(DataStringPipelineTest, WithoutLoggingNothingIsLoggedAndOutputIsUnchanged)
{
  m_monitors.m_nMonitors = 0;
  addFormat("F", "Input()");
  process("ab");
  EXPECT_EQ(plan("ab"), typed());
  EXPECT_TRUE(m_monitors.m_rgstrTexts.empty());
}

TEST_F(DataStringPipelineTest, FileLoggingWritesTheEventWithOneTimestamp)
{
  TempLogFile file;
  m_monitors.m_nMonitors = 0;
  m_log.setSettings(1, file.path());
  process("a");
  EXPECT_EQ("2007-03-01 14:05:09.042 Keyboard Output: Input String = a\r\n"
            "2007-03-01 14:05:09.042 Keyboard Output: Input String (after replacements) = a\r\n"
            "2007-03-01 14:05:09.042 Keyboard Output: No matching data edit format, data passed through\r\n"
            "2007-03-01 14:05:09.042 Keyboard Output: Keyboard Data = a \r\n",
            file.contents());
}

TEST_F(DataStringPipelineTest, SetProfileSwitchesAfterDeliveryIgnoringCase)
{
  m_profiles.m_rgstrNames = {"Default", "Lager2", "lager2"};
  m_subscribers.m_rgSubscribers = {{"S", true}};
  addFormat("F", "Input() + SetProfile(LAGER2)");
  process("x");
  EXPECT_EQ(Lines{"x"}, m_subscribers.m_rgstrDelivered);
  EXPECT_EQ(Lines{"1 LAGER2"}, m_profiles.m_rgstrSwitches);
  EXPECT_EQ("", m_pipeline.getPendingProfile());
}

TEST_F(DataStringPipelineTest, UnknownProfileStaysPendingAndIsTriedAfterTheNextString)
{
  m_profiles.m_rgstrNames = {"Default"};
  addFormat("Switch", "SetProfile(Later)", "S*");
  process("S");
  EXPECT_TRUE(m_profiles.m_rgstrSwitches.empty());
  EXPECT_EQ("Later", m_pipeline.getPendingProfile());
  m_profiles.m_rgstrNames = {"Default", "Later"};
  process("other");
  EXPECT_EQ(Lines{"1 Later"}, m_profiles.m_rgstrSwitches);
}

TEST_F(DataStringPipelineTest, DroppedStringsDoNotRunThePendingSwitch)
{
  m_profiles.m_rgstrNames = {"Default", "Next"};
  m_pipeline.setPendingProfile("next");
  enableDuplicateFilter(500);
  process("A", 1000);
  EXPECT_EQ(Lines{"1 next"}, m_profiles.m_rgstrSwitches);
  m_pipeline.setPendingProfile("Default");
  process("A", 1);
  m_keyboardSettings.fLockOutputWindow = true;
  applyKeyboardSettings();
  process("B", 1);
  EXPECT_EQ(Lines{"1 next"}, m_profiles.m_rgstrSwitches) << "duplicate and locked strings switch nothing";
  m_keyboardSettings.fLockOutputWindow = false;
  applyKeyboardSettings();
  m_profile.setFilterUnkownDataStrings(1);
  process("C", 1);
  EXPECT_EQ((Lines{"1 next", "0 Default"}), m_profiles.m_rgstrSwitches) << "a filtered unknown string does";
}

TEST_F(DataStringPipelineTest, AnExpressionThatReopensThePortDoesNotLeaveTheFormatDangling)
{
  addFormat("Reopen", "Input() + ClosePort() + OpenPort() + \"!\"");
  process("a");
  EXPECT_EQ(plan("a!"), typed());
  EXPECT_EQ((Lines{"close port", "open port"}), m_mainWindow.m_rgstrCalls);
  EXPECT_EQ("Keyboard Output", lastEvent().strName);
}

TEST_F(DataStringPipelineTest, TheStartedProgramIsRememberedInItsFormat)
{
  addFormat("Run", "RunApp(notepad)");
  process("a");
  EXPECT_NE(nullptr, m_profile.getDataEditFormatMap().lookup("Run")->getRunningProgram());
}
}  // namespace

// A Digital Link from a QR Code, a "]d2" Data Matrix scan and a bracketed scan of the same data
// go through the GS1 format exactly as the raw element string does; with the forms off they do not.
TEST_F(DataStringPipelineTest, EveryGS1InputFormTypesLikeTheRawElementString)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName("GS1");
  pFormat->setOutput("EAN128Field(01) + \"/\" + EAN128Field(10) + \"/\" + EAN128Field(17) + \"/\" + Symbology()");
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindEAN128();
  pCriteria->setFieldsPresent("01,10");
  pFormat->getCriteriaMap().add(std::move(pCriteria));
  ASSERT_TRUE(m_profile.getDataEditFormatMap().add("GS1", std::move(pFormat)));
  addFormat("Other", "\"other\"");

  const std::string strRaw = "0109501101530003" "10ABC123\x1D" "17261231";
  struct Row
  {
    std::string strScan;
    const char* pszSymbology;
  } rgRows[] = {
    {strRaw, ""},
    {"]d2" + strRaw, "]d2"},
    {"(01)09501101530003(10)ABC123(17)261231", ""},
    {"https://id.gs1.org/01/09501101530003/10/ABC123?17=261231", ""},
    {"]Q1HTTPS://EXAMPLE.COM/shop/01/09501101530003/10/ABC123?linkType=all&17=261231#top", "]Q1"},
  };
  for (uint32_t dwForms : {0u, 7u})
  {
    m_profile.setGS1InputForms(dwForms);
    for (const Row& row : rgRows)
    {
      SCOPED_TRACE(row.strScan + " with forms " + std::to_string(dwForms));
      m_sink.m_rgSteps.clear();
      process(row.strScan.c_str());
      bool fRecognised = dwForms != 0 || row.strScan == strRaw;
      std::string strExpected = std::string("09501101530003/ABC123/261231/") + row.pszSymbology;
      EXPECT_EQ(plan(fRecognised ? strExpected.c_str() : "other"), typed());
      Lines rgstrDetails = lastEvent().rgstrDetails;
      bool fChanged = dwForms != 0 && row.strScan != strRaw;
      ASSERT_GE(rgstrDetails.size(), 2u);
      EXPECT_EQ(fChanged, rgstrDetails[1] == "Input String (after normalisation) = 0109501101530003"
                                               "10ABC123<GS>17261231");
    }
  }
}

TEST_F(DataStringPipelineTest, AnInvalidDigitalLinkStaysAsItIsAndTheEventSaysWhy)
{
  m_profile.setGS1InputForms(GS1Normaliser::kDigitalLink);
  addFormat("All", "Input() + Symbology()");
  process("https://id.gs1.org/01/09501101530004");
  EXPECT_EQ(plan("https://id.gs1.org/01/09501101530004"), typed());
  Lines rgstrDetails = lastEvent().rgstrDetails;
  rgstrDetails.resize(4);
  EXPECT_EQ((Lines{"Input String = https://id.gs1.org/01/09501101530004",
                   "GS1 Input Not Converted = not a GS1 Digital Link URI: wrong check digit in AI (01) "
                   "09501101530004",
                   "Input String (after replacements) = https://id.gs1.org/01/09501101530004",
                   "Matching Data Editing Format = All"}),
            rgstrDetails);
}
