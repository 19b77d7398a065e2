#pragma once

#include "KeyStep.h"
#include "KeyTranslatorMap.h"

#include <string>
#include <vector>

// What typing one byte takes: the events and waits in order, and its part of the report.
struct KeystrokePlan
{
  std::vector<KeyStep> rgSteps;
  std::string strReport;
};

// Turns bytes into key events by their recipes. Knows nothing of windows or timing: the emitter
// performs the plan and decides, byte by byte, whether typing may go on.
class KeystrokePlanner
{
public:
  // Modifier keys and the space that follows a dead key.
  static const int kvkControl = 0x11;
  static const int kvkAlt = 0x12;
  static const int kvkShift = 0x10;
  static const int kvkSpace = 0x20;
  static const int kscControl = 0x1D;
  static const int kscAlt = 0x38;
  static const int kscShift = 0x2A;
  static const int kscSpace = 0x39;

  // One byte's recipe; nCapsState 1 means caps lock is on. With fDescribeOnly only the report is built.
  static KeystrokePlan planEntry(const KeyTranslator& entry, int nCapsState, int nDelay, bool fDescribeOnly);

  // A whole text (up to its zero byte) with a fixed caps state.
  static KeystrokePlan planText(const char* psz, const KeyTranslatorMap& mapKeyTranslator, int nCapsState,
                                int nDelay, bool fDescribeOnly);

  // Ctrl+Alt+Shift+key, each event followed by a wait.
  static std::vector<KeyStep> planModifiedChord(int nVirtualKey, int nScanCode, int nDelay);
};
