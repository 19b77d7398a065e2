#pragma once

class ControlValues;

// The rules of the "Window" page: the lock is never on with an empty title list, its setup and
// the hold for a locked window are available only while it is ticked, and the hold's time limit
// only while the hold is ticked.
class WindowForm
{
public:
  static void applyEnableRules(ControlValues& controls);
  // After the titles were loaded or edited: clears the lock when the list is empty.
  static void clearLockWithoutTitles(ControlValues& controls);
};
