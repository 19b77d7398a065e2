#pragma once

#include "ProfileBinding.h"

// Which control shows which profile value, one table per page of the settings sheet and one for
// the Hardware Pin Events dialog. Every profile value the sheet edits is in exactly one table.
class SettingsBindings
{
public:
  static const BindingTable& communicationPage();
  static const BindingTable& keyboardPage();
  static const BindingTable& windowPage();
  static const BindingTable& initPage();
  static const BindingTable& logPage();
  static const BindingTable& dataEditingPage();
  static const BindingTable& pinEventsDialog();

  // All tables, pages in their sheet order first.
  static std::vector<const BindingTable*> all();
};
