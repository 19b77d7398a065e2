#include "ProfileDump.h"

#include "settings/QuilbarProfile.h"

#include <sstream>

std::string dumpCriteriaMap(const CriteriaMap& map)
{
  std::ostringstream out;
  for (const auto& entry : map.getEntries())
  {
    const Criteria& criteria = *entry.second;
    out << "  criteria [" << entry.first << "] kind=" << criteria.getKind()
        << " min=" << criteria.getMinLength() << " max=" << criteria.getMaxLength()
        << " start=" << criteria.getStartPosition() << " expr=" << criteria.getExpression()
        << " present=" << criteria.getFieldsPresent()
        << " absent=" << criteria.getFieldsNotPresent() << "\n";
  }
  return out.str();
}

std::string dumpFormats(const DataEditFormatMap& map)
{
  std::ostringstream out;
  for (const auto& entry : map.getEntries())
  {
    const DataEditFormat& format = *entry.second;
    out << "format [" << entry.first << "] name=" << format.getName()
        << " order=" << format.getOrder() << " output=" << format.getOutput() << "\n"
        << dumpCriteriaMap(format.getCriteriaMap());
  }
  return out.str();
}

std::string dumpReplacements(const ReplacementMap& map)
{
  std::ostringstream out;
  for (const auto& entry : map.getEntries())
  {
    out << "replacement [" << entry.first << "] order=" << entry.second->getOrder()
        << " input=" << entry.second->getInput() << " replace=" << entry.second->getReplace()
        << "\n";
  }
  return out.str();
}

std::string dumpTypingRules(const TypingRuleList& list)
{
  std::ostringstream out;
  for (const TypingRule& rule : list.rules())
    out << "typing rule order=" << rule.getOrder() << " title=" << rule.getTitle() << " class=" << rule.getClass()
        << " text=" << rule.getTextMethod() << " control=" << rule.getControlMethod()
        << " controltext=" << rule.getControlText() << "\n";
  return out.str();
}

// Only the entries that differ from the built-in recipes, so a failing comparison stays readable.
std::string dumpKeyTranslators(const KeyTranslatorMap& map)
{
  std::ostringstream out;
  KeyTranslatorMap mapDefault;
  out << "KeyTranslators=" << map.getCount() << "\n";
  for (const auto& entry : map.getEntries())
  {
    const KeyTranslator* pDefault = mapDefault.lookup(entry.first);
    if (pDefault != nullptr && *pDefault == *entry.second)
      continue;
    out << "KeyTranslator " << entry.first << " ASCII=" << entry.second->getASCII()
        << " KeyCode=" << entry.second->getKeyCode()
        << " Flags=" << static_cast<int>(entry.second->getFlagBits()) << "\n";
  }
  return out.str();
}

std::string dumpProfile(const QuilbarProfile& p)
{
  std::ostringstream out;
  out << "Name=" << p.getName() << "\nPort=" << p.getPort() << "\nSpeed=" << p.getSpeed()
      << "\nData=" << p.getData() << "\nParity=" << p.getParity() << "\nStop=" << p.getStop()
      << "\nDTR=" << p.getDTR() << "\nRTS=" << p.getRTS() << "\nCTSHigh=" << p.getCTSHigh()
      << "\nCTSLow=" << p.getCTSLow() << "\nDSRHigh=" << p.getDSRHigh()
      << "\nDSRLow=" << p.getDSRLow() << "\nRIHigh=" << p.getRIHigh() << "\nRILow=" << p.getRILow()
      << "\nDCDHigh=" << p.getDCDHigh() << "\nDCDLow=" << p.getDCDLow()
      << "\nDuplicateStringFilter=" << p.getDuplicateStringFilter()
      << "\nDuplicateFilterTime=" << p.getDuplicateFilterTime()
      << "\nInitString=" << p.getInitString() << "\nKeyCase=" << p.getKeyCase()
      << "\nIntercharacterDelay=" << p.getIntercharacterDelay()
      << "\nSendPreAndPostfixKeys=" << p.getSendPreAndPostfixKeys()
      << "\nAutoStart=" << p.getAutoStart() << "\nHideOnStartup=" << p.getHideOnStartup()
      << "\nHideWindow=" << p.getHideWindow() << "\nLockOutputWindow=" << p.getLockOutputWindow()
      << "\nLogging=" << p.getLogging() << "\nLogFilename=" << p.getLogFilename() << "\nTitles=";
  for (const std::string& strTitle : p.getTitles())
    out << "[" << strTitle << "]";
  out << "\nFilterUnkownDataStrings=" << p.getFilterUnkownDataStrings()
      << "\nTerminationType=" << p.getTerminationType()
      << "\nDataStringTerminator=" << p.getDataStringTerminator()
      << "\nTerminationTimeout=" << p.getTerminationTimeout()
      << "\nHoldForLockedWindow=" << p.getHoldForLockedWindow()
      << "\nHoldTimeLimit=" << p.getHoldTimeLimit()
      << "\nGS1InputForms=" << p.getGS1InputForms() << "\n"
      << dumpFormats(p.getDataEditFormatMap()) << dumpReplacements(p.getReplacementMap())
      << dumpKeyTranslators(p.getKeyTranslatorMap()) << dumpTypingRules(p.getTypingRules());
  return out.str();
}
