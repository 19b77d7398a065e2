#include "ProfileBinding.h"

#include "dialogs/ControlValues.h"
#include "base/Assert.h"

#include <utility>

namespace
{
ProfileBinding bindingOf(const char* pszValue, BindingKind kind, int nId)
{
  ProfileBinding binding;
  binding.pszValue = pszValue;
  binding.kind = kind;
  binding.nId = nId;
  return binding;
}
}  // namespace

ProfileBinding ProfileBinding::text(const char* pszValue, int nId, TextGetter pfnGet, TextSetter pfnSet)
{
  ProfileBinding binding = bindingOf(pszValue, BindingKind::Text, nId);
  binding.pfnGetText = pfnGet;
  binding.pfnSetText = pfnSet;
  return binding;
}

ProfileBinding ProfileBinding::choice(const char* pszValue, int nId, TextGetter pfnGet, TextSetter pfnSet)
{
  ProfileBinding binding = text(pszValue, nId, pfnGet, pfnSet);
  binding.kind = BindingKind::Choice;
  return binding;
}

ProfileBinding ProfileBinding::number(const char* pszValue, int nId, NumberGetter pfnGet, NumberSetter pfnSet)
{
  ProfileBinding binding = bindingOf(pszValue, BindingKind::Number, nId);
  binding.pfnGetNumber = pfnGet;
  binding.pfnSetNumber = pfnSet;
  return binding;
}

ProfileBinding ProfileBinding::check(const char* pszValue, int nId, NumberGetter pfnGet, NumberSetter pfnSet)
{
  ProfileBinding binding = number(pszValue, nId, pfnGet, pfnSet);
  binding.kind = BindingKind::Check;
  return binding;
}

ProfileBinding ProfileBinding::radio(const char* pszValue, std::vector<RadioChoice> rgRadio, NumberGetter pfnGet,
                                     NumberSetter pfnSet)
{
  QB_ASSERT(!rgRadio.empty());
  ProfileBinding binding = number(pszValue, rgRadio.front().nId, pfnGet, pfnSet);
  binding.kind = BindingKind::Radio;
  binding.rgRadio = std::move(rgRadio);
  return binding;
}

ProfileBinding ProfileBinding::list(const char* pszValue, int nId, ListGetter pfnGet, ListSetter pfnSet)
{
  ProfileBinding binding = bindingOf(pszValue, BindingKind::List, nId);
  binding.pfnGetList = pfnGet;
  binding.pfnSetList = pfnSet;
  return binding;
}

ProfileBinding ProfileBinding::bits(const char* pszValue, std::vector<RadioChoice> rgBits, NumberGetter pfnGet,
                                    NumberSetter pfnSet)
{
  ProfileBinding binding = radio(pszValue, std::move(rgBits), pfnGet, pfnSet);
  binding.kind = BindingKind::Bits;
  return binding;
}

void loadControls(const BindingTable& table, const QuilbarProfile& profile, ControlValues& controls)
{
  for (const ProfileBinding& binding : table)
  {
    switch (binding.kind)
    {
    case BindingKind::Text:
      controls.setText(binding.nId, (profile.*binding.pfnGetText)());
      break;
    case BindingKind::Choice:
      controls.selectChoice(binding.nId, (profile.*binding.pfnGetText)());
      break;
    case BindingKind::Number:
      controls.setText(binding.nId, std::to_string((profile.*binding.pfnGetNumber)()));
      break;
    case BindingKind::Check:
      controls.setChecked(binding.nId, (profile.*binding.pfnGetNumber)() != 0);
      break;
    case BindingKind::Radio:
    {
      uint32_t dwValue = (profile.*binding.pfnGetNumber)();
      for (const RadioChoice& choice : binding.rgRadio)
        controls.setChecked(choice.nId, choice.dwValue == dwValue);
      break;
    }
    case BindingKind::List:
      controls.setList(binding.nId, (profile.*binding.pfnGetList)());
      break;
    case BindingKind::Bits:
      for (const RadioChoice& bit : binding.rgRadio)
        controls.setChecked(bit.nId, ((profile.*binding.pfnGetNumber)() & bit.dwValue) != 0);
      break;
    }
  }
}

// The controls offer only numbers the setters take (the two radio groups with a checked setter
// list exactly the numbers it accepts), so a refusal is a mistake in a binding table. A radio
// group with no button ticked leaves the value as it was.
void storeControls(const BindingTable& table, const ControlValues& controls, QuilbarProfile& profile)
{
  for (const ProfileBinding& binding : table)
  {
    switch (binding.kind)
    {
    case BindingKind::Text:
    case BindingKind::Choice:
      QB_ASSERT(true == (profile.*binding.pfnSetText)(controls.getText(binding.nId)));
      break;
    case BindingKind::Number:
      QB_ASSERT(true == (profile.*binding.pfnSetNumber)(parseNumberText(controls.getText(binding.nId))));
      break;
    case BindingKind::Check:
      QB_ASSERT(true == (profile.*binding.pfnSetNumber)(controls.isChecked(binding.nId) ? 1 : 0));
      break;
    case BindingKind::Radio:
      for (const RadioChoice& choice : binding.rgRadio)
      {
        if (controls.isChecked(choice.nId))
          QB_ASSERT(true == (profile.*binding.pfnSetNumber)(choice.dwValue));
      }
      break;
    case BindingKind::List:
      QB_ASSERT(true == (profile.*binding.pfnSetList)(controls.getList(binding.nId)));
      break;
    case BindingKind::Bits:
    {
      // Bits a later version stored, which no box shows, stay as they were.
      uint32_t dwValue = (profile.*binding.pfnGetNumber)();
      for (const RadioChoice& bit : binding.rgRadio)
        dwValue = controls.isChecked(bit.nId) ? (dwValue | bit.dwValue) : (dwValue & ~bit.dwValue);
      QB_ASSERT(true == (profile.*binding.pfnSetNumber)(dwValue));
      break;
    }
    }
  }
}

uint32_t parseNumberText(const std::string& strText)
{
  size_t i = 0;
  while (i < strText.size() && strText[i] == ' ')
    ++i;
  uint64_t qwValue = 0;
  for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i)
  {
    qwValue = qwValue * 10 + static_cast<uint64_t>(strText[i] - '0');
    if (qwValue > 0xFFFFFFFFull)
      return 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(qwValue);
}
