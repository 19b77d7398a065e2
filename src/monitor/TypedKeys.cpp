#include "TypedKeys.h"

#include <cctype>

namespace
{
struct NamedKey
{
  const char* pszName;
  char ch;
};

// The keys of the key translator that produce a character in an edit field (with Num Lock on).
const NamedKey krgNamedKeys[] = {
    {"Enter", '\r'}, {"NumEnter", '\r'}, {"Tab", '\t'},  {"Backspace", '\b'}, {"Esc", '\x1B'},
    {"Space", ' '},  {"Num*", '*'},      {"Num-", '-'},  {"Num+", '+'},       {"Num/", '/'},
    {"Num0", '0'},   {"Num1", '1'},      {"Num2", '2'},  {"Num3", '3'},       {"Num4", '4'},
    {"Num5", '5'},   {"Num6", '6'},      {"Num7", '7'},  {"Num8", '8'},       {"Num9", '9'},
};

// A one-character item is the character itself (the Unicode recipes report what they send); a
// letter key with Shift types its capital. What Shift does to other keys depends on the layout.
bool characterOf(const std::string& strItem, char& ch)
{
  const char kszShift[] = "Shift+";
  bool fShift = strItem.compare(0, sizeof(kszShift) - 1, kszShift) == 0;
  std::string strKey = fShift ? strItem.substr(sizeof(kszShift) - 1) : strItem;
  if (strKey.find('+') != std::string::npos && strKey.size() > 1)
    return false;
  if (strKey.size() == 1)
  {
    if (fShift && !std::isalpha(static_cast<unsigned char>(strKey[0])))
      return false;
    ch = fShift ? static_cast<char>(std::toupper(static_cast<unsigned char>(strKey[0]))) : strKey[0];
    return true;
  }
  if (fShift)
    return false;
  for (const NamedKey& key : krgNamedKeys)
  {
    if (strKey == key.pszName)
    {
      ch = key.ch;
      return true;
    }
  }
  return false;
}
}  // namespace

std::string TypedKeys::charactersOf(const std::string& strReport, bool* pfAllCharacters)
{
  std::string strCharacters;
  bool fAll = true;
  size_t i = 0;
  while (i < strReport.size())
  {
    // An item is followed by one blank, so a blank where an item starts is the space character.
    size_t nEnd = strReport[i] == ' ' ? i + 1 : strReport.find(' ', i);
    if (nEnd == std::string::npos)
      nEnd = strReport.size();
    char ch = 0;
    if (characterOf(strReport.substr(i, nEnd - i), ch))
      strCharacters += ch;
    else
      fAll = false;
    i = nEnd + 1;
  }
  if (pfAllCharacters != nullptr)
    *pfAllCharacters = fAll;
  return strCharacters;
}
