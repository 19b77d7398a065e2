#pragma once

#include "settings/QuilbarProfile.h"

#include <cstdint>
#include <string>
#include <vector>

class ControlValues;

// How a control shows a profile value.
enum class BindingKind
{
  Text,    // an edit field (or an editable drop-down) holding the text
  Choice,  // a drop-down list whose selected entry is the text
  Number,  // an edit field holding the number in decimal
  Check,   // a tick box: ticked for any number but 0, stored as 1 or 0
  Radio,   // a group of radio buttons, each standing for one number
  List,    // a list the page keeps for the button that opens its editor
  Bits,    // tick boxes, each standing for one bit of the number; bits without a box are kept
};

// One radio button of a group and the number it stands for (or a tick box and its bit).
struct RadioChoice
{
  int nId;
  uint32_t dwValue;
};

// One row of a binding table: the registry name of the profile value, how it is shown and where,
// and the profile's own accessors.
struct ProfileBinding
{
  using TextGetter = const std::string& (QuilbarProfile::*)() const;
  using TextSetter = bool (QuilbarProfile::*)(const std::string&);
  using NumberGetter = uint32_t (QuilbarProfile::*)() const;
  using NumberSetter = bool (QuilbarProfile::*)(uint32_t);
  using ListGetter = const TextList& (QuilbarProfile::*)() const;
  using ListSetter = bool (QuilbarProfile::*)(const TextList&);

  const char* pszValue = nullptr;
  BindingKind kind = BindingKind::Text;
  int nId = 0;  // the control; for a radio group, the first button
  TextGetter pfnGetText = nullptr;
  TextSetter pfnSetText = nullptr;
  NumberGetter pfnGetNumber = nullptr;
  NumberSetter pfnSetNumber = nullptr;
  ListGetter pfnGetList = nullptr;
  ListSetter pfnSetList = nullptr;
  std::vector<RadioChoice> rgRadio;

  static ProfileBinding text(const char* pszValue, int nId, TextGetter pfnGet, TextSetter pfnSet);
  static ProfileBinding choice(const char* pszValue, int nId, TextGetter pfnGet, TextSetter pfnSet);
  static ProfileBinding number(const char* pszValue, int nId, NumberGetter pfnGet, NumberSetter pfnSet);
  static ProfileBinding check(const char* pszValue, int nId, NumberGetter pfnGet, NumberSetter pfnSet);
  static ProfileBinding radio(const char* pszValue, std::vector<RadioChoice> rgRadio, NumberGetter pfnGet,
                              NumberSetter pfnSet);
  static ProfileBinding list(const char* pszValue, int nId, ListGetter pfnGet, ListSetter pfnSet);
  static ProfileBinding bits(const char* pszValue, std::vector<RadioChoice> rgBits, NumberGetter pfnGet,
                             NumberSetter pfnSet);
};

using BindingTable = std::vector<ProfileBinding>;

// One loop each way between a table's controls and the profile.
void loadControls(const BindingTable& table, const QuilbarProfile& profile, ControlValues& controls);
void storeControls(const BindingTable& table, const ControlValues& controls, QuilbarProfile& profile);

// The number an edit field shows: its decimal digits after any blanks, saturated at the largest
// 32-bit number; 0 for a text that does not start with a digit.
uint32_t parseNumberText(const std::string& strText);
