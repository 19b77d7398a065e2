#include "SettingsBindings.h"

#include "SettingsResourceIds.h"
#include "engine/GS1Normaliser.h"

#define QB_TEXT(name, id) ProfileBinding::text(#name, id, &QuilbarProfile::get##name, &QuilbarProfile::set##name)
#define QB_CHOICE(name, id) ProfileBinding::choice(#name, id, &QuilbarProfile::get##name, &QuilbarProfile::set##name)
#define QB_NUMBER(name, id) ProfileBinding::number(#name, id, &QuilbarProfile::get##name, &QuilbarProfile::set##name)
#define QB_CHECK(name, id) ProfileBinding::check(#name, id, &QuilbarProfile::get##name, &QuilbarProfile::set##name)
#define QB_RADIO(name, ...) \
  ProfileBinding::radio(#name, {__VA_ARGS__}, &QuilbarProfile::get##name, &QuilbarProfile::set##name)
#define QB_BITS(name, ...) \
  ProfileBinding::bits(#name, {__VA_ARGS__}, &QuilbarProfile::get##name, &QuilbarProfile::set##name)

// The DTR and RTS groups list "High" first, which stands for the stored 1.
const BindingTable& SettingsBindings::communicationPage()
{
  static const BindingTable ktable = {
      QB_TEXT(Port, IDC_COMMUNICATION_PORT),
      QB_CHOICE(Speed, IDC_COMMUNICATION_SPEED),
      QB_CHOICE(Data, IDC_COMMUNICATION_DATA),
      QB_CHOICE(Parity, IDC_COMMUNICATION_PARITY),
      QB_CHOICE(Stop, IDC_COMMUNICATION_STOP),
      QB_RADIO(DTR, {IDC_COMMUNICATION_DTR_HIGH, 1}, {IDC_COMMUNICATION_DTR_LOW, 0}),
      QB_RADIO(RTS, {IDC_COMMUNICATION_RTS_HIGH, 1}, {IDC_COMMUNICATION_RTS_LOW, 0}),
      QB_CHECK(DuplicateStringFilter, IDC_COMMUNICATION_DUPLICATE_FILTER),
      QB_NUMBER(DuplicateFilterTime, IDC_COMMUNICATION_FILTER_TIME),
  };
  return ktable;
}

const BindingTable& SettingsBindings::keyboardPage()
{
  static const BindingTable ktable = {
      QB_NUMBER(IntercharacterDelay, IDC_KEYBOARD_DELAY),
      QB_RADIO(KeyCase, {IDC_KEYBOARD_CASE_NORMAL, 0}, {IDC_KEYBOARD_CASE_UPPER, 1}, {IDC_KEYBOARD_CASE_LOWER, 2}),
      QB_CHECK(SendPreAndPostfixKeys, IDC_KEYBOARD_PRE_POSTFIX),
  };
  return ktable;
}

// The title list goes with the "Setup..." button that opens its editor; the page keeps it.
const BindingTable& SettingsBindings::windowPage()
{
  static const BindingTable ktable = {
      QB_CHECK(HideOnStartup, IDC_WINDOW_HIDE_ON_STARTUP),
      QB_CHECK(HideWindow, IDC_WINDOW_HIDE_AUTOMATICALLY),
      ProfileBinding::list("Titles", IDC_WINDOW_SETUP, &QuilbarProfile::getTitles, &QuilbarProfile::setTitles),
      QB_CHECK(LockOutputWindow, IDC_WINDOW_LOCK),
      QB_CHECK(HoldForLockedWindow, IDC_WINDOW_HOLD),
      QB_NUMBER(HoldTimeLimit, IDC_WINDOW_HOLD_TIME),
  };
  return ktable;
}

const BindingTable& SettingsBindings::initPage()
{
  static const BindingTable ktable = {
      QB_TEXT(InitString, IDC_INIT_STRING),
      QB_CHECK(AutoStart, IDC_INIT_AUTOSTART),
  };
  return ktable;
}

const BindingTable& SettingsBindings::logPage()
{
  static const BindingTable ktable = {
      QB_TEXT(LogFilename, IDC_LOG_FILENAME),
      QB_CHECK(Logging, IDC_LOG_ENABLE),
  };
  return ktable;
}

const BindingTable& SettingsBindings::dataEditingPage()
{
  static const BindingTable ktable = {
      QB_RADIO(TerminationType, {IDC_DATAEDITING_BY_CHARACTERS, 0}, {IDC_DATAEDITING_BY_TIMEOUT, 1}),
      QB_TEXT(DataStringTerminator, IDC_DATAEDITING_TERMINATOR),
      QB_NUMBER(TerminationTimeout, IDC_DATAEDITING_TIMEOUT),
      QB_CHECK(FilterUnkownDataStrings, IDC_DATAEDITING_FILTER_UNKNOWN),
      QB_BITS(GS1InputForms, {IDC_DATAEDITING_GS1_SYMBOLOGY, GS1Normaliser::kSymbologyIdentifiers},
              {IDC_DATAEDITING_GS1_BRACKETED, GS1Normaliser::kBracketedForm},
              {IDC_DATAEDITING_GS1_DIGITAL_LINK, GS1Normaliser::kDigitalLink}),
  };
  return ktable;
}

const BindingTable& SettingsBindings::pinEventsDialog()
{
  static const BindingTable ktable = {
      QB_CHECK(CTSHigh, IDC_PINEVENTS_CTS_HIGH), QB_CHECK(CTSLow, IDC_PINEVENTS_CTS_LOW),
      QB_CHECK(DSRHigh, IDC_PINEVENTS_DSR_HIGH), QB_CHECK(DSRLow, IDC_PINEVENTS_DSR_LOW),
      QB_CHECK(RIHigh, IDC_PINEVENTS_RI_HIGH),   QB_CHECK(RILow, IDC_PINEVENTS_RI_LOW),
      QB_CHECK(DCDHigh, IDC_PINEVENTS_DCD_HIGH), QB_CHECK(DCDLow, IDC_PINEVENTS_DCD_LOW),
  };
  return ktable;
}

std::vector<const BindingTable*> SettingsBindings::all()
{
  return {&communicationPage(), &keyboardPage(), &windowPage(),      &initPage(),
          &logPage(),           &dataEditingPage(), &pinEventsDialog()};
}

#undef QB_TEXT
#undef QB_CHOICE
#undef QB_NUMBER
#undef QB_CHECK
#undef QB_RADIO
