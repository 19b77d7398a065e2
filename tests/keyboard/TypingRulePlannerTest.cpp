// Typing by rules: what reaches the window for each text method, control method, layout and
// kind of target, through the emitter that chooses the rule by the window in front.
#include "KeyboardFakes.h"
#include "keyboard/KeystrokeEmitter.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
using namespace keyboardtest;

// Events only, "vk/scan+" for a press and "-" for a release, "U+00e9+" for Unicode.
std::string events(const std::vector<KeyStep>& rgSteps)
{
  std::string strText;
  char szEvent[32];
  for (const KeyStep& step : rgSteps)
  {
    const char* pszDirection = (step.dwFlags & kdwKeyUp) ? "-" : "+";
    if (step.kind == KeyStep::Kind::Key)
      std::snprintf(szEvent, sizeof szEvent, "%02x/%02x%s ", step.nVirtualKey, step.nScanCode, pszDirection);
    else if (step.kind == KeyStep::Kind::Unicode)
      std::snprintf(szEvent, sizeof szEvent, "U+%04x%s ", step.nScanCode, pszDirection);
    else
      continue;
    strText += szEvent;
  }
  return strText;
}

enum Target
{
  kWindow,       // a window that takes Unicode events and Alt+numpad codes
  kConsole,      // a console on Windows: no Unicode events
  kWineConsole,  // Wine's console: neither
};

struct Row
{
  const char* pszName;
  TableKeyboard (*pfnLayout)();
  Target target;
  int nTextMethod;
  int nControlMethod;
  const char* pszControlText;
  int nCaps;
  const char* pszText;
  const char* pszEvents;
  const char* pszReport;
  const char* pszSkipped;
};

const char kszShift[] = "10/2a+ ";
const char kszUnshift[] = "10/2a- ";

class TypingRuleTest : public ::testing::Test
{
protected:
  TypingRuleTest()
  {
    m_settings.pmapKeyTranslator = &m_map;
    m_settings.pTypingRules = &m_rules;
  }

  KeyTranslatorMap m_map;
  TypingRuleList m_rules;
  KeyboardOutputSettings m_settings;
  RecordingKeyEventSink m_sink;
  FakeForegroundWindow m_foreground;
  FakeCapsLockState m_caps;
  KeystrokeEmitter m_emitter{m_sink, m_foreground, m_caps};
};

TEST_F(TypingRuleTest, EachMethodTypesWhatTheTargetTakes)
{
  const std::string strShiftC = std::string(kszShift) + "43/2e+ 43/2e- " + kszUnshift;
  const Row krgRows[] = {
      {"US keys: letters, Shift for capitals", usLayout, kWindow, 1, 0, "", 0, "Ca",
       "10/2a+ 43/2e+ 43/2e- 10/2a- 41/1e+ 41/1e- ", "C a ", ""},
      {"caps lock inverts Shift for letters only", usLayout, kWindow, 1, 0, "", 1, "Ca@",
       "43/2e+ 43/2e- 10/2a+ 41/1e+ 41/1e- 10/2a- 10/2a+ 32/03+ 32/03- 10/2a- ", "C a @ ", ""},
      {"German keys: Z where US has Y, AltGr+Q for @", germanLayout, kWindow, 1, 0, "", 0, "z@",
       "5a/15+ 5a/15- 11/1d+ 12/38+ 51/10+ 51/10- 12/38- 11/1d- ", "z @ ", ""},
      {"French keys: digits with Shift, e-acute unshifted", frenchLayout, kWindow, 1, 0, "", 0, "1\xE9-",
       "10/2a+ 31/02+ 31/02- 10/2a- 32/03+ 32/03- 36/07+ 36/07- ", "1 \xE9 - ", ""},
      {"US has no e-acute: a Unicode event", usLayout, kWindow, 1, 0, "", 0, "\xE9",
       "U+00e9+ U+00e9- ", "\xE9 ", ""},
      {"a console takes Alt+numpad instead", usLayout, kConsole, 1, 0, "", 0, "\xE9",
       "12/38+ 60/52+ 60/52- 62/50+ 62/50- 63/51+ 63/51- 63/51+ 63/51- 12/38- ", "Alt+0233 ", ""},
      {"Wine's console takes neither: named, the rest typed", germanLayout, kWineConsole, 1, 0, "", 0, "\xE9x",
       "58/2d+ 58/2d- ", "x ", "\xE9"},
      {"Unicode method even in a console, as the rule says", usLayout, kConsole, 0, 0, "", 0, "\xE9z",
       "U+00e9+ U+00e9- U+007a+ U+007a- ", "\xE9 z ", ""},
      {"Alt+numpad method", usLayout, kWindow, 2, 0, "", 0, "a",
       "12/38+ 60/52+ 60/52- 60/52+ 60/52- 69/49+ 69/49- 67/47+ 67/47- 12/38- ", "Alt+0097 ", ""},
      {"keys the map names stay its own", usLayout, kWindow, 1, 1, "", 0, "\x0D\xC4\t",
       "0d/1c+ 0d/1c- 10/2a+ de/28+ de/28- 10/2a- 09/0f+ 09/0f- ", "Enter Shift+' Tab ", ""},
      {"GS by the key map", usLayout, kWindow, 1, 0, "", 0, "\x1D", "10/2a+ 36/07+ 36/07- 10/2a- ", "Shift+6 ", ""},
      {"GS as Ctrl+]", usLayout, kWindow, 1, 1, "", 0, "\x1D", "11/1d+ dd/1b+ dd/1b- 11/1d- ", "Ctrl+] ", ""},
      {"RS as Ctrl+Shift+6, EOT as Ctrl+D", usLayout, kWindow, 1, 1, "", 0, "\x1E\x04",
       "11/1d+ 10/2a+ 36/07+ 36/07- 10/2a- 11/1d- 11/1d+ 44/20+ 44/20- 11/1d- ", "Ctrl+^ Ctrl+D ", ""},
      {"GS as Alt+0029", usLayout, kWindow, 0, 2, "", 0, "\x1D",
       "12/38+ 60/52+ 60/52- 60/52+ 60/52- 62/50+ 62/50- 69/49+ 69/49- 12/38- ", "Alt+0029 ", ""},
      {"GS as a text, by the text method and the key map", germanLayout, kWindow, 1, 3, "|<CR>", 0, "\x1D",
       "U+007c+ U+007c- 0d/1c+ 0d/1c- ", "| Enter ", ""},
      {"a text's own character without a recipe names the control character", usLayout, kWindow, 0, 3, "<LF>x", 0,
       "\x1D", "U+0078+ U+0078- ", "x ", "\x1D"},
      {"an empty text drops the control character", usLayout, kWindow, 1, 3, "", 0, "a\x1D",
       "41/1e+ 41/1e- ", "a ", ""},
      {"LF, which the key map leaves out, as Ctrl+J", usLayout, kWindow, 0, 1, "", 0, "\n", "11/1d+ 4a/00+ 4a/00- 11/1d- ",
       "Ctrl+J ", ""},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    TypingRule rule;
    rule.setTitle("*");
    rule.setTextMethod(row.nTextMethod);
    rule.setControlMethod(row.nControlMethod);
    rule.setControlText(row.pszControlText);
    m_rules.setRules({rule});
    m_emitter.setSettings(m_settings);
    m_foreground.m_keyboard = row.pfnLayout();
    m_foreground.m_keyboard.m_fUnicode = row.target == kWindow;
    m_foreground.m_keyboard.m_fAltNumpad = row.target != kWineConsole;
    m_caps.m_nState = row.nCaps;
    m_sink.m_rgSteps.clear();

    std::string strReport;
    m_emitter.sendKeystrokes(row.pszText, strReport, false);
    EXPECT_EQ(row.pszEvents, events(m_sink.m_rgSteps));
    EXPECT_EQ(row.pszReport, strReport);
    EXPECT_EQ(row.pszSkipped, m_emitter.takeSkipped());
    EXPECT_EQ(KeyboardRefusal::kNone, m_emitter.takeRefusal());
  }
}

// The scan of the Wine stories, under each layout with the layout rule: every character by a key
// of that layout, the e-acute by Unicode where the layout lacks it.
TEST_F(TypingRuleTest, TheScanGoesByTheKeysOfEachLayout)
{
  TypingRule rule;
  rule.setTextMethod(TypingRule::kTextLayoutKeys);
  m_rules.setRules({rule});
  m_emitter.setSettings(m_settings);
  for (TableKeyboard (*pfnLayout)() : {usLayout, germanLayout, frenchLayout})
  {
    m_foreground.m_keyboard = pfnLayout();
    SCOPED_TRACE(m_foreground.m_keyboard.m_strName);
    m_sink.m_rgSteps.clear();
    std::string strReport;
    m_emitter.sendKeystrokes("Caf\xE9-12/3@x.de", strReport, false);
    EXPECT_EQ("C a f \xE9 - 1 2 / 3 @ x . d e ", strReport);
    int nUnicode = 0;
    for (const KeyStep& step : m_sink.m_rgSteps)
      nUnicode += step.kind == KeyStep::Kind::Unicode ? 1 : 0;
    EXPECT_EQ(m_foreground.m_keyboard.m_strName == "French" ? 0 : 2, nUnicode);
    EXPECT_EQ("", m_emitter.takeSkipped());
  }
}

TEST_F(TypingRuleTest, TheFirstRuleWhoseTitleAndClassMatchApplies)
{
  TypingRule console, anyNotepad, catchAll;
  console.setTitle("*");
  console.setClass("ConsoleWindowClass");
  console.setControlMethod(TypingRule::kControlText);
  console.setControlText("C");
  anyNotepad.setTitle("* - Notepad");
  anyNotepad.setControlMethod(TypingRule::kControlText);
  anyNotepad.setControlText("N");
  catchAll.setTitle("*");
  catchAll.setControlMethod(TypingRule::kControlText);
  catchAll.setControlText("A");
  m_rules.setRules({console, anyNotepad, catchAll});
  struct
  {
    const char* pszTitle;
    const char* pszClass;
    const char* pszReport;
  } krgRows[] = {
      {"Untitled - Notepad", "Notepad", "N "},
      {"Untitled - Notepad", "ConsoleWindowClass", "C "},
      {"Untitled - notepad", "Notepad", "A "},
      {"", "", "A "},
  };
  m_emitter.setSettings(m_settings);
  for (const auto& row : krgRows)
  {
    SCOPED_TRACE(std::string(row.pszTitle) + " / " + row.pszClass);
    m_foreground.m_strTitle = row.pszTitle;
    m_foreground.m_strClass = row.pszClass;
    std::string strReport;
    m_emitter.sendKeystrokes("\x1D", strReport, false);
    EXPECT_EQ(row.pszReport, strReport);
  }
  m_rules.setRules({});
  std::string strReport;
  m_emitter.sendKeystrokes("\x1D", strReport, false);
  EXPECT_EQ("Shift+6 ", strReport) << "no rule: the key map";
}

// The window's title is read when it comes to the front, not for every character; another window
// in front is looked at afresh.
TEST_F(TypingRuleTest, TheWindowIsLookedAtOncePerWindow)
{
  TypingRule rule;
  rule.setTitle("Orders");
  rule.setControlMethod(TypingRule::kControlText);
  rule.setControlText("|");
  m_rules.setRules({rule});
  m_settings.fLockOutputWindow = true;
  m_settings.rgstrTitles = {"Orders", "Other"};
  m_emitter.setSettings(m_settings);
  m_foreground.m_strTitle = "Orders";
  int nEvents = 0;
  m_sink.m_fnAfterEvent = [&] {
    if (++nEvents == 2)
      m_foreground.m_strTitle = "Other";
  };
  std::string strReport;
  m_emitter.sendKeystrokes("\x1D\x1D" "abcdefgh", strReport, false);
  EXPECT_EQ("| Shift+6 a b c d e f g h ", strReport);
  EXPECT_GE(6, m_foreground.m_nTitleReads);
}
}  // namespace
