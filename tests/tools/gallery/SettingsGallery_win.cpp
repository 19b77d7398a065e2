#include "GalleryEntry.h"

#include "sheet/CharTransDialog_win.h"
#include "sheet/EditCharTransDialog_win.h"
#include "sheet/TypingRuleDialog_win.h"
#include "sheet/TypingRulesDialog_win.h"
#include "sheet/HardwarePinEventsDialog_win.h"
#include "sheet/LockOutputWindowDialog_win.h"
#include "sheet/PasswordDialog_win.h"
#include "app/ResourceIds.h"
#include "sheet/SelectTerminatorDialog_win.h"
#include "sheet/SettingsDialogs_win.h"
#include "sheet/SettingsSheetPages.h"
#include "settings/QuilbarProfile.h"

namespace
{
// A profile that shows something in every control: a lock with titles, a duplicate filter,
// logging, an initialisation string, a changed key translation.
QuilbarProfile sampleProfile()
{
  QuilbarProfile profile;
  profile.setName("Line1");
  profile.setPort("COM3");
  profile.setSpeed("19200");
  profile.setDuplicateStringFilter(1);
  profile.setDuplicateFilterTime(500);
  profile.setRTS(0);
  profile.setIntercharacterDelay(5);
  profile.setKeyCase(1);
  profile.setLockOutputWindow(1);
  profile.setTitles({"*Notepad", "Untitled - ?aint", "Warehouse*"});
  profile.setHoldForLockedWindow(1);
  profile.setInitString("ATZ^M");
  profile.setAutoStart(1);
  profile.setLogging(1);
  profile.setLogFilename("C:\\temp\\quilbar.log");
  profile.setDataStringTerminator("<CR><LF>");
  profile.setCTSHigh(1);
  profile.setDSRLow(1);
  profile.getKeyTranslatorMap().entryOf('\r').setKeyCode(0x09);
  return profile;
}

void showSheetOn(unsigned nPage, HWND hwndOwner)
{
  QuilbarProfile profile = sampleProfile();
  runSettingsSheet(hwndOwner, profile, nPage, "");
}
}  // namespace

// Pictures of the settings sheet (one per page) and of every dialog its pages open.
void addSettingsGallery(std::vector<GalleryEntry>& rgEntries)
{
  const char* rgszPages[] = {"settings-communication", "settings-keyboard", "settings-window",
                             "settings-initialization", "settings-log", "settings-data-editing"};
  for (unsigned nPage = 0; nPage < SettingsSheetPages::kcPages; ++nPage)
    rgEntries.push_back({rgszPages[nPage], [nPage](HWND hwndOwner) { showSheetOn(nPage, hwndOwner); }});

  rgEntries.push_back({"hardware-pin-events", [](HWND hwndOwner) {
                         QuilbarProfile profile = sampleProfile();
                         CHardwarePinEventsDialog(profile, PolicyLocks()).runModal(hwndOwner);
                       }});
  rgEntries.push_back({"select-terminator", [](HWND hwndOwner) {
                         CSelectTerminatorDialog("<CR>").runModal(hwndOwner);
                       }});
  rgEntries.push_back({"lock-output-window", [](HWND hwndOwner) {
                         CLockOutputWindowDialog(sampleProfile().getTitles()).runModal(hwndOwner);
                       }});
  rgEntries.push_back({"character-translation", [](HWND hwndOwner) {
                         QuilbarProfile profile = sampleProfile();
                         CCharTransDialog(profile.getKeyTranslatorMap()).runModal(hwndOwner);
                       }});
  rgEntries.push_back({"edit-character-translation", [](HWND hwndOwner) {
                         KeyTranslator translator(0xE5, 0xDD, true, true, false, false, false, false, false);
                         CEditCharTransDialog(translator).runModal(hwndOwner);
                       }});
  rgEntries.push_back({"typing-rules", [](HWND hwndOwner) {
                         TypingRule console, browser;
                         console.setTitle("*cmd.exe");
                         console.setClass("ConsoleWindowClass");
                         console.setTextMethod(TypingRule::kTextLayoutKeys);
                         browser.setTitle("* - Browser");
                         browser.setControlMethod(TypingRule::kControlAltNumpad);
                         TypingRuleList rules;
                         rules.setRules({console, browser});
                         CTypingRulesDialog(rules).runModal(hwndOwner);
                       }});
  rgEntries.push_back({"typing-rule", [](HWND hwndOwner) {
                         TypingRule rule;
                         rule.setTitle("Till*");
                         rule.setControlMethod(TypingRule::kControlText);
                         rule.setControlText("|");
                         CTypingRuleDialog(rule, "Edit Typing Rule").runModal(hwndOwner);
                       }});
  rgEntries.push_back({"set-password", [](HWND hwndOwner) { CPasswordDialog(IDD_SET_PASSWORD).runModal(hwndOwner); }});
  rgEntries.push_back(
      {"enter-password", [](HWND hwndOwner) { CPasswordDialog(IDD_ENTER_PASSWORD).runModal(hwndOwner); }});
}
