#include "keyboard/KeyboardEvents.h"
#include "KeyboardFakes.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/KeystrokePlanner.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using namespace keyboardtest;

class KeystrokeEmitterTest : public ::testing::Test
{
protected:
  KeystrokeEmitterTest()
  {
    m_settings.pmapKeyTranslator = &m_map;
    m_emitter.setSettings(m_settings);
  }
  ~KeystrokeEmitterTest() override { g_fKeyboardEvents = true; }

  void applySettings() { m_emitter.setSettings(m_settings); }

  std::string type(const char* psz, bool fDescribeOnly = false)
  {
    std::string strReport;
    m_emitter.sendKeystrokes(psz, strReport, fDescribeOnly);
    return strReport;
  }

  KeyTranslatorMap m_map;
  KeyboardOutputSettings m_settings;
  RecordingKeyEventSink m_sink;
  FakeForegroundWindow m_foreground;
  FakeCapsLockState m_caps;
  KeystrokeEmitter m_emitter{m_sink, m_foreground, m_caps};
};

TEST_F(KeystrokeEmitterTest, TypesThePlanAndAppendsTheReport)
{
  m_settings.nIntercharacterDelay = 4;
  applySettings();
  std::string strReport = "earlier ";
  m_emitter.sendKeystrokes("Ab\r", strReport, false);
  EXPECT_EQ("earlier A b Enter ", strReport);
  EXPECT_EQ(describeSteps(KeystrokePlanner::planText("Ab\r", m_map, 0, 4, false).rgSteps),
            describeSteps(m_sink.m_rgSteps));
}

TEST_F(KeystrokeEmitterTest, EmptyTextSendsAndReportsNothing)
{
  EXPECT_EQ("", type(""));
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
}

TEST_F(KeystrokeEmitterTest, NothingIsTypedIntoTheOwnMainWindow)
{
  m_foreground.m_fOwnMainWindow = true;
  EXPECT_EQ("", type("abc"));
  EXPECT_EQ("", type("abc", true));
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
}

TEST_F(KeystrokeEmitterTest, RestOfTheTextIsDroppedWhenTheMainWindowComesToTheFront)
{
  int nEvents = 0;
  m_sink.m_fnAfterEvent = [&] {
    if (++nEvents == 4)
      m_foreground.m_fOwnMainWindow = true;
  };
  EXPECT_EQ("a b ", type("abcd"));
  EXPECT_EQ(4, nEvents);
}

TEST_F(KeystrokeEmitterTest, KeyboardEventsSwitchedOffSilencesEvenTheReport)
{
  g_fKeyboardEvents = false;
  EXPECT_EQ("", type("abc"));
  EXPECT_EQ("", type("abc", true));
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
  m_settings.fSendPreAndPostfixKeys = true;
  applySettings();
  m_emitter.sendPrefixKeys();
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
}

TEST_F(KeystrokeEmitterTest, LockRefusesUnmatchedWindowsButNotDescriptions)
{
  m_settings.fLockOutputWindow = true;
  m_settings.rgstrTitles = {"*Word"};
  applySettings();
  EXPECT_EQ("", type("ab"));
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
  EXPECT_EQ("a b ", type("ab", true));
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
  m_foreground.m_strTitle = "Report - Word";
  EXPECT_EQ("a b ", type("ab"));
  EXPECT_EQ(8u, m_sink.m_rgSteps.size());
}

TEST_F(KeystrokeEmitterTest, LockIsAskedAgainBeforeEveryByte)
{
  m_settings.fLockOutputWindow = true;
  m_settings.rgstrTitles = {"Target"};
  applySettings();
  m_foreground.m_strTitle = "Target";
  m_sink.m_fnAfterEvent = [&] { m_foreground.m_strTitle = "Other"; };
  EXPECT_EQ("a ", type("abc"));
}

TEST_F(KeystrokeEmitterTest, CapsStateIsReadForEveryKeyByte)
{
  const char szText[] = {'\xC4', 'x', '\xC4', '\0'};
  m_sink.m_fnAfterEvent = [&] { m_caps.m_nState = 1; };
  EXPECT_EQ("Shift+' x ' ", type(szText));
  EXPECT_EQ(2, m_caps.m_nReads);
}

TEST_F(KeystrokeEmitterTest, DescribeOnlySendsNothingAndDoesNotWait)
{
  m_settings.nIntercharacterDelay = 50;
  applySettings();
  const char szText[] = {'A', '\xC4', '\x7F', '\0'};
  EXPECT_EQ("A Shift+' Delete ", type(szText, true));
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
}

TEST_F(KeystrokeEmitterTest, UsesTheMapOfTheCurrentSettings)
{
  KeyTranslatorMap mapEdited;
  mapEdited.entryOf('a').setValid(false);
  m_settings.pmapKeyTranslator = &mapEdited;
  applySettings();
  EXPECT_EQ("b ", type("ab"));
}

TEST_F(KeystrokeEmitterTest, PrefixAndPostfixChordsOnlyWhenEnabled)
{
  m_emitter.sendPrefixKeys();
  m_emitter.sendPostfixKeys();
  EXPECT_TRUE(m_sink.m_rgSteps.empty());

  m_settings.fSendPreAndPostfixKeys = true;
  m_settings.nIntercharacterDelay = 2;
  applySettings();
  m_emitter.sendPrefixKeys();
  m_emitter.sendPostfixKeys();
  std::vector<KeyStep> rgExpected = KeystrokePlanner::planModifiedChord(0x31, 0x02, 2);
  std::vector<KeyStep> rgPostfix = KeystrokePlanner::planModifiedChord(0x32, 0x03, 2);
  rgExpected.insert(rgExpected.end(), rgPostfix.begin(), rgPostfix.end());
  EXPECT_EQ(describeSteps(rgExpected), describeSteps(m_sink.m_rgSteps));
}

TEST_F(KeystrokeEmitterTest, ChordsRespectTheLock)
{
  m_settings.fSendPreAndPostfixKeys = true;
  m_settings.fLockOutputWindow = true;
  applySettings();
  m_emitter.sendPrefixKeys();
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
}

TEST_F(KeystrokeEmitterTest, GateOrder)
{
  EXPECT_TRUE(m_emitter.isKeyboardOutputAllowed(false));
  m_foreground.m_fPresent = false;
  EXPECT_EQ(KeyboardRefusal::kNoForegroundWindow, m_emitter.refusalNow(false));
  m_settings.fLockOutputWindow = true;
  m_settings.rgstrTitles = {"*"};
  applySettings();
  EXPECT_EQ(KeyboardRefusal::kLockedWindowNotInFront, m_emitter.refusalNow(false));
  EXPECT_TRUE(m_emitter.isKeyboardOutputAllowed(true));
}

// Each reason keeps the text from being typed, is kept as the refusal until asked for, and is
// then forgotten; a report built without typing is refused only for the reasons that also apply
// to it.
TEST_F(KeystrokeEmitterTest, EachRefusalStopsTypingAndIsKeptUntilTaken)
{
  struct Row
  {
    const char* pszWorld;
    std::function<void()> fnSet;
    KeyboardRefusal expected;
    bool fRefusesDescription;
  };
  const Row rgRows[] = {
      {"locked window elsewhere",
       [this] {
         m_settings.fLockOutputWindow = true;
         m_settings.rgstrTitles = {"Till*"};
         applySettings();
       },
       KeyboardRefusal::kLockedWindowNotInFront, false},
      {"keyboard events off", [] { g_fKeyboardEvents = false; },
       KeyboardRefusal::kKeyboardEventsOff, true},
      {"own window in front", [this] { m_foreground.m_fOwnMainWindow = true; },
       KeyboardRefusal::kOwnWindowInFront, true},
      {"no window in front", [this] { m_foreground.m_fPresent = false; },
       KeyboardRefusal::kNoForegroundWindow, false},
      {"elevated window in front", [this] { m_foreground.m_fElevated = true; },
       KeyboardRefusal::kElevatedWindow, false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszWorld);
    m_settings = KeyboardOutputSettings();
    m_settings.pmapKeyTranslator = &m_map;
    applySettings();
    m_foreground = FakeForegroundWindow();
    g_fKeyboardEvents = true;
    m_sink.m_rgSteps.clear();
    row.fnSet();

    EXPECT_EQ("", type("ab"));
    EXPECT_TRUE(m_sink.m_rgSteps.empty());
    EXPECT_EQ(row.expected, m_emitter.takeRefusal());
    EXPECT_EQ(KeyboardRefusal::kNone, m_emitter.takeRefusal()) << "the refusal was not forgotten";
    EXPECT_STRNE("", describeKeyboardRefusal(row.expected));

    EXPECT_EQ(row.fRefusesDescription ? "" : "a b ", type("ab", true));
    EXPECT_EQ(row.fRefusesDescription ? row.expected : KeyboardRefusal::kNone, m_emitter.takeRefusal());
  }
}

TEST_F(KeystrokeEmitterTest, TheFirstRefusalOfAStringIsTheOneKept)
{
  m_sink.m_fnAfterEvent = [&] { m_foreground.m_fElevated = true; };
  EXPECT_EQ("a ", type("abc"));
  g_fKeyboardEvents = false;
  type("d");
  EXPECT_EQ(KeyboardRefusal::kElevatedWindow, m_emitter.takeRefusal());
}

TEST_F(KeystrokeEmitterTest, AnEventTheSystemRefusesEndsTheTextAndIsReported)
{
  // Each letter is a Unicode press and release; the press of "b" is refused, its release offered.
  m_sink.m_nRefuseFrom = 2;
  EXPECT_EQ("a ", type("abc"));
  EXPECT_EQ(KeyboardRefusal::kEventsRefused, m_emitter.takeRefusal());
  EXPECT_EQ(4, m_sink.m_nEventsOffered) << "\"c\" was offered after \"b\" was refused";
  EXPECT_EQ(describeSteps(KeystrokePlanner::planText("a", m_map, 0, 0, false).rgSteps), describeSteps(m_sink.m_rgSteps))
      << "no wait after the refused event either";
}

TEST_F(KeystrokeEmitterTest, AModifierPressedBeforeARefusalIsReleased)
{
  const char szShifted[] = {'\xC4', '\0'};  // typed as Shift+'
  std::vector<KeyStep> rgPlan = KeystrokePlanner::planText(szShifted, m_map, 0, 0, false).rgSteps;
  ASSERT_GE(rgPlan.size(), 4u);
  m_sink.m_nRefuseFrom = 1;  // Shift goes down, then everything is refused
  type(szShifted);
  EXPECT_EQ(KeyboardRefusal::kEventsRefused, m_emitter.takeRefusal());
  size_t nReleasesOffered = 0;
  for (const KeyStep& step : rgPlan)
    if (step.kind == KeyStep::Kind::Key && (step.dwFlags & kdwKeyUp) != 0)
      ++nReleasesOffered;
  EXPECT_EQ(static_cast<int>(2 + nReleasesOffered), m_sink.m_nEventsOffered)
      << "the press taken, the press refused and every release should be offered, nothing else";
}

// The default map has no recipe for most accented letters nor for a line feed: they are left out,
// but each is named once, in the order met, together with a refusal that came too.
TEST_F(KeystrokeEmitterTest, CharactersWithoutARecipeAreNamedOnce)
{
  struct Row
  {
    const char* pszText;
    int nRefuseFrom;
    const char* pszReport;
    const char* pszOutcome;
  } krgRows[] = {
      {"Caf\xE9", -1, "C a f ", "no key for \xE9"},
      {"\xE9t\xE9\n\xE9", -1, "t ", "no key for \xE9, <LF>"},
      {"a\xE9" "b", 2, "a ", "the system refused the keystrokes; no key for \xE9"},
      {"abc", -1, "a b c ", ""},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszText);
    m_sink = RecordingKeyEventSink();
    m_sink.m_nRefuseFrom = row.nRefuseFrom;
    EXPECT_EQ(row.pszReport, type(row.pszText));
    EXPECT_EQ(row.pszOutcome, describeKeyboardOutcome(m_emitter.takeRefusal(), m_emitter.takeSkipped()));
    EXPECT_EQ("", m_emitter.takeSkipped()) << "the skipped characters were not forgotten";
  }
}

TEST_F(KeystrokeEmitterTest, ChordsRefusedAreReportedToo)
{
  m_settings.fSendPreAndPostfixKeys = true;
  applySettings();
  m_foreground.m_fPresent = false;
  m_emitter.sendPrefixKeys();
  EXPECT_TRUE(m_sink.m_rgSteps.empty());
  EXPECT_EQ(KeyboardRefusal::kNoForegroundWindow, m_emitter.takeRefusal());
}
}  // namespace
