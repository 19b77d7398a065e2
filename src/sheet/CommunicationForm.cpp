#include "CommunicationForm.h"

#include "dialogs/ControlValues.h"
#include "SettingsResourceIds.h"
#include "SettingsBindings.h"

std::vector<std::string> CommunicationForm::portChoices()
{
  std::vector<std::string> rgstrPorts;
  for (int nPort = 1; nPort <= 256; ++nPort)
    rgstrPorts.push_back("COM" + std::to_string(nPort));
  return rgstrPorts;
}

const std::vector<std::string>& CommunicationForm::speedChoices()
{
  static const std::vector<std::string> krgstr = {"110",  "300",  "600",   "1200",  "2400",  "4800",
                                                  "9600", "19200", "38400", "57600", "115200"};
  return krgstr;
}

const std::vector<std::string>& CommunicationForm::dataChoices()
{
  static const std::vector<std::string> krgstr = {"7", "8"};
  return krgstr;
}

const std::vector<std::string>& CommunicationForm::parityChoices()
{
  static const std::vector<std::string> krgstr = {"Even", "Mark", "No parity", "Odd", "Space"};
  return krgstr;
}

const std::vector<std::string>& CommunicationForm::stopChoices()
{
  static const std::vector<std::string> krgstr = {"1", "1.5", "2"};
  return krgstr;
}

void CommunicationForm::applyEnableRules(ControlValues& controls)
{
  bool fFilter = controls.isChecked(IDC_COMMUNICATION_DUPLICATE_FILTER);
  for (int nId : {IDC_COMMUNICATION_FILTER_TIME, IDC_COMMUNICATION_FILTER_SPIN, IDC_COMMUNICATION_FILTER_UNIT})
    controls.setEnabled(nId, fFilter);
}

// A fresh profile holds exactly the page's defaults: COM1, 9600, 8, no parity, 1 stop bit, DTR
// and RTS high, no duplicate filter, time 0.
void CommunicationForm::putDefaults(ControlValues& controls)
{
  loadControls(SettingsBindings::communicationPage(), QuilbarProfile(), controls);
  applyEnableRules(controls);
}
