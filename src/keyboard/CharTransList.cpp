#include "CharTransList.h"

#include "KeyTables.h"
#include "base/DataConv.h"

#include <cstdio>

namespace CharTransList
{
namespace
{
const char* yesNo(bool f)
{
  return f ? "Yes" : "No";
}

bool differsFromDefault(const KeyTranslator& entry, const KeyTranslator& defaultEntry)
{
  return entry.getAlt() != defaultEntry.getAlt() || entry.getCapsDependent() != defaultEntry.getCapsDependent() ||
         entry.getControl() != defaultEntry.getControl() || entry.getDiacritic() != defaultEntry.getDiacritic() ||
         entry.getExtended() != defaultEntry.getExtended() || entry.getKeyCode() != defaultEntry.getKeyCode() ||
         entry.getShift() != defaultEntry.getShift() || entry.getValid() != defaultEntry.getValid();
}

// Control characters would be invisible in a list box, so they appear in the readable notation.
std::string characterColumn(int nASCII)
{
  if (nASCII < 32)
    return DataConv::mnemonic(nASCII);
  return std::string(1, static_cast<char>(nASCII));
}
}  // namespace

std::string formatLine(const KeyTranslator& entry, const KeyTranslator& defaultEntry)
{
  const char* pszMarker = differsFromDefault(entry, defaultEntry) ? "*" : "";
  std::string strCharacter = characterColumn(entry.getASCII());
  char szLine[256];
  std::snprintf(szLine, sizeof szLine, "%s\t%s\t%d\t0x%02x\t%d\t0x%02x\t%s\t%s\t%s\t%s\t%s\t%s\t%s", pszMarker,
                strCharacter.c_str(), entry.getASCII(), entry.getASCII(), entry.getKeyCode(), entry.getKeyCode(),
                yesNo(entry.getValid()), yesNo(entry.getShift()), yesNo(entry.getControl()), yesNo(entry.getAlt()),
                yesNo(entry.getCapsDependent()), yesNo(entry.getDiacritic()), yesNo(entry.getExtended()));
  return szLine;
}

std::vector<std::string> buildLines(const KeyTranslatorMap& mapKeyTranslator)
{
  KeyTranslatorMap keymapDefault;
  std::vector<std::string> rgstrLines;
  for (int i = 0; i < mapKeyTranslator.getCount() && i < KeyTables::kcEntries; ++i)
  {
    unsigned char byCode = static_cast<unsigned char>(i);
    rgstrLines.push_back(formatLine(mapKeyTranslator.entryOf(byCode), keymapDefault.entryOf(byCode)));
  }
  return rgstrLines;
}
}  // namespace CharTransList
