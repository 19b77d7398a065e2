#pragma once

#include <string>
#include <vector>

class ControlValues;

// The rules of the "Communication" page: what its lists offer, when the filter time can be
// edited, and what "&Default" puts into its controls.
class CommunicationForm
{
public:
  static std::vector<std::string> portChoices();  // "COM1" to "COM256"
  static const std::vector<std::string>& speedChoices();
  static const std::vector<std::string>& dataChoices();
  static const std::vector<std::string>& parityChoices();
  static const std::vector<std::string>& stopChoices();

  // The filter time and its label are editable only while the filter is ticked.
  static void applyEnableRules(ControlValues& controls);
  // The page's controls to the values of a fresh profile (the profile changes when the page is left).
  static void putDefaults(ControlValues& controls);
};
