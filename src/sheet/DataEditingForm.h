#pragma once

class ControlValues;

// The rule of the "Data Editing" page: ending data strings by characters enables the terminator
// and its "&Select..." button, ending them by time-out enables the time-out instead.
class DataEditingForm
{
public:
  static void applyEnableRules(ControlValues& controls);
};
