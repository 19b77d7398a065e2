#include "KeyboardFakes.h"
#include "keyboard/KeystrokePlanner.h"

#include <gtest/gtest.h>

namespace
{
using keyboardtest::describeSteps;

KeyStep down(int nVirtualKey, int nScanCode, unsigned dwFlags = 0)
{
  return KeyStep::key(nVirtualKey, nScanCode, dwFlags);
}

KeyStep up(int nVirtualKey, int nScanCode, unsigned dwFlags = 0)
{
  return KeyStep::key(nVirtualKey, nScanCode, dwFlags | kdwKeyUp);
}

// Every event is followed by one wait of the delay.
std::vector<KeyStep> paced(const std::vector<KeyStep>& rgEvents, int nDelay)
{
  std::vector<KeyStep> rgSteps;
  for (const KeyStep& event : rgEvents)
  {
    rgSteps.push_back(event);
    rgSteps.push_back(KeyStep::wait(nDelay));
  }
  return rgSteps;
}

struct WorkedExample
{
  const char* pszName;
  KeyTranslator entry;
  int nCapsState;
  std::vector<KeyStep> rgEvents;
  const char* pszReport;
};

const KeyTranslatorMap kmapDefault;

std::vector<WorkedExample> workedExamples()
{
  const KeyStep shiftDown = down(0x10, 0x2A), shiftUp = up(0x10, 0x2A);
  return {
      {"letter A as Unicode, pressed and released", kmapDefault.entryOf('A'), 0,
       {KeyStep::unicode(0x41), KeyStep::unicode(0x41, kdwKeyUp)}, "A "},
      {"Nordic A-umlaut, caps off", kmapDefault.entryOf(0xC4), 0,
       {shiftDown, down(0xDE, 0x28), up(0xDE, 0x28), shiftUp}, "Shift+' "},
      {"Nordic A-umlaut, caps on", kmapDefault.entryOf(0xC4), 1, {down(0xDE, 0x28), up(0xDE, 0x28)}, "' "},
      {"carriage return", kmapDefault.entryOf('\r'), 0, {down(0x0D, 0x1C), up(0x0D, 0x1C)}, "Enter "},
      {"delete, extended", kmapDefault.entryOf(0x7F), 0,
       {down(0x2E, 0x53, kdwKeyExtended), up(0x2E, 0x53, kdwKeyExtended)}, "Delete "},
      {"dead key with Shift", KeyTranslator(0xB4, 0xBA, true, false, false, false, true, true, false), 0,
       {shiftDown, down(0xBA, 0x1B), up(0xBA, 0x1B), shiftUp, down(0x20, 0x39), up(0x20, 0x39)}, "Shift+] "},
      {"caps on inverts a caps-dependent key without Shift", kmapDefault.entryOf(0xE4), 1,
       {shiftDown, down(0xDE, 0x28), up(0xDE, 0x28), shiftUp}, "Shift+' "},
      {"caps state other than 1 counts as off", kmapDefault.entryOf(0xE4), 2,
       {down(0xDE, 0x28), up(0xDE, 0x28)}, "' "},
      {"caps lock leaves a key that does not follow it alone", kmapDefault.entryOf(0x1D), 1,
       {shiftDown, down(0x36, 0x07), up(0x36, 0x07), shiftUp}, "Shift+6 "},
      {"Ctrl, Alt and Shift press in order and release in reverse",
       KeyTranslator(0x05, 0x41, true, false, true, true, true, false, false), 0,
       {down(0x11, 0x1D), down(0x12, 0x38), shiftDown, down(0x41, 0x1E), up(0x41, 0x1E), shiftUp, up(0x12, 0x38),
        up(0x11, 0x1D)},
       "Ctrl+Alt+Shift+A "},
      {"modifiers never carry the extended flag",
       KeyTranslator(0x06, 0x2E, true, false, true, false, false, false, true), 0,
       {down(0x11, 0x1D), down(0x2E, 0x53, kdwKeyExtended), up(0x2E, 0x53, kdwKeyExtended), up(0x11, 0x1D)},
       "Ctrl+Delete "},
      {"key without a name", kmapDefault.entryOf(0x88), 0, {down(0x29, 0x00), up(0x29, 0x00)}, "(Unknown) "},
      {"F1", kmapDefault.entryOf(0xA2), 0, {down(0x70, 0x3B), up(0x70, 0x3B)}, "F1 "},
  };
}

TEST(KeystrokePlannerTest, WorkedSequences)
{
  for (const WorkedExample& example : workedExamples())
  {
    SCOPED_TRACE(example.pszName);
    KeystrokePlan plan = KeystrokePlanner::planEntry(example.entry, example.nCapsState, 7, false);
    EXPECT_EQ(describeSteps(paced(example.rgEvents, 7)), describeSteps(plan.rgSteps));
    EXPECT_EQ(example.pszReport, plan.strReport);
  }
}

TEST(KeystrokePlannerTest, DescribeOnlyReportsTheSameAndPlansNothing)
{
  for (const WorkedExample& example : workedExamples())
  {
    SCOPED_TRACE(example.pszName);
    KeystrokePlan plan = KeystrokePlanner::planEntry(example.entry, example.nCapsState, 7, true);
    EXPECT_TRUE(plan.rgSteps.empty()) << describeSteps(plan.rgSteps);
    EXPECT_EQ(example.pszReport, plan.strReport);
  }
}

// Identical characters in a row are separate presses, each released before the next.
TEST(KeystrokePlannerTest, TextReportPutsOneSpaceAfterEveryPart)
{
  KeystrokePlan plan = KeystrokePlanner::planText("A22\r", kmapDefault, 0, 0, false);
  EXPECT_EQ("A 2 2 Enter ", plan.strReport);
  const unsigned U = kdwKeyUp;
  EXPECT_EQ(describeSteps(paced({KeyStep::unicode('A'), KeyStep::unicode('A', U), KeyStep::unicode('2'),
                                 KeyStep::unicode('2', U), KeyStep::unicode('2'), KeyStep::unicode('2', U),
                                 down(0x0D, 0x1C), up(0x0D, 0x1C)},
                                0)),
            describeSteps(plan.rgSteps));
}

TEST(KeystrokePlannerTest, InvalidEntriesLeaveNoTrace)
{
  const char szText[] = {'\x0A', 'x', '\x10', '\xFF', '\0'};
  KeystrokePlan plan = KeystrokePlanner::planText(szText, kmapDefault, 0, 5, false);
  EXPECT_EQ("x ", plan.strReport);
  EXPECT_EQ(describeSteps(paced({KeyStep::unicode('x'), KeyStep::unicode('x', kdwKeyUp)}, 5)),
            describeSteps(plan.rgSteps));
}

TEST(KeystrokePlannerTest, EmptyTextPlansNothing)
{
  KeystrokePlan plan = KeystrokePlanner::planText("", kmapDefault, 0, 5, false);
  EXPECT_TRUE(plan.rgSteps.empty());
  EXPECT_TRUE(plan.strReport.empty());
}

// The waits per byte are fixed by the recipe: two for Unicode and two per key, two per pressed
// modifier and two for a dead key's space.
TEST(KeystrokePlannerTest, WaitsPerRecipe)
{
  struct Row
  {
    const char* pszName;
    KeyTranslator entry;
    int nCapsState;
    int nWaits;
  } krgRows[] = {
      {"Unicode", kmapDefault.entryOf('a'), 0, 2},
      {"plain key", kmapDefault.entryOf('\t'), 0, 2},
      {"A-umlaut, caps off", kmapDefault.entryOf(0xC4), 0, 4},
      {"A-umlaut, caps on", kmapDefault.entryOf(0xC4), 1, 2},
      {"all modifiers and a dead key", KeyTranslator(1, 0x41, true, false, true, true, true, true, false), 0, 10},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    KeystrokePlan plan = KeystrokePlanner::planEntry(row.entry, row.nCapsState, 10, false);
    int nWaits = 0, nTotal = 0;
    for (const KeyStep& step : plan.rgSteps)
    {
      if (step.kind == KeyStep::Kind::Wait)
      {
        ++nWaits;
        nTotal += step.nMilliseconds;
      }
    }
    EXPECT_EQ(row.nWaits, nWaits);
    EXPECT_EQ(row.nWaits * 10, nTotal);
  }
}

TEST(KeystrokePlannerTest, ModifiedChordIsCtrlAltShiftAroundTheKey)
{
  std::vector<KeyStep> rgSteps = KeystrokePlanner::planModifiedChord(0x31, 0x02, 3);
  EXPECT_EQ(describeSteps(paced({down(0x11, 0x1D), down(0x12, 0x38), down(0x10, 0x2A), down(0x31, 0x02),
                                 up(0x31, 0x02), up(0x10, 0x2A), up(0x12, 0x38), up(0x11, 0x1D)},
                                3)),
            describeSteps(rgSteps));
}
}  // namespace
