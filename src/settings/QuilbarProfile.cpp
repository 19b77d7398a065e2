#include "QuilbarProfile.h"

#include "base/TextCase.h"
#include "base/RegistryMessages.h"
#include "base/Assert.h"

#include <memory>

namespace
{
// How a value is read: required values stop the load when missing or of the wrong type, optional
// ones fall back to off, 0 or empty.
enum class Rule
{
  RequiredText,
  OptionalText,
  RequiredNumber,
  OptionalNumber,  // a missing value reads as the value's own default (dwMissing)
  RequiredFlag,  // on only when stored as exactly 1
  OptionalFlag,  // on only when stored as exactly 1; off when missing
  RequiredChecked,  // refused by its setter: the invalid-value message
  RequiredMilliseconds,  // a time: clamped to kdwMaxMilliseconds
  OptionalMilliseconds,  // a time: clamped to kdwMaxMilliseconds; 0 when missing
  RequiredList
};

using TextGetter = const std::string& (QuilbarProfile::*)() const;
using TextSetter = bool (QuilbarProfile::*)(const std::string&);
using NumberGetter = uint32_t (QuilbarProfile::*)() const;
using NumberSetter = bool (QuilbarProfile::*)(uint32_t);

struct ValueSpec
{
  const char* pszName;
  Rule rule;
  TextGetter pfnGetText;
  TextSetter pfnSetText;
  NumberGetter pfnGetNumber;
  NumberSetter pfnSetNumber;
  uint32_t dwMissing;  // what an optional number reads as when it is not stored
};

#define QB_TEXT(name, rule) \
  {#name, Rule::rule, &QuilbarProfile::get##name, &QuilbarProfile::set##name, nullptr, nullptr, 0}
#define QB_NUMBER(name, rule) \
  {#name, Rule::rule, nullptr, nullptr, &QuilbarProfile::get##name, &QuilbarProfile::set##name, 0}
#define QB_NUMBER_OR(name, missing) \
  {#name, Rule::OptionalNumber, nullptr, nullptr, &QuilbarProfile::get##name, &QuilbarProfile::set##name, missing}

// The values in the order in which they are read and written (the list sits between
// LogFilename and FilterUnkownDataStrings, the terminator text after the timeout). The hold
// values and GS1InputForms came later: they are written last and, being optional, settings
// stored before them still load, with the hold off and every GS1 input form left as it comes.
const ValueSpec krgValues[] = {
    QB_TEXT(Name, RequiredText),
    QB_TEXT(Port, RequiredText),
    QB_TEXT(Speed, RequiredText),
    QB_TEXT(Data, RequiredText),
    QB_TEXT(Parity, RequiredText),
    QB_TEXT(Stop, RequiredText),
    QB_NUMBER(DTR, RequiredFlag),
    QB_NUMBER(RTS, RequiredFlag),
    QB_NUMBER(CTSHigh, OptionalFlag),
    QB_NUMBER(CTSLow, OptionalFlag),
    QB_NUMBER(DSRHigh, OptionalFlag),
    QB_NUMBER(DSRLow, OptionalFlag),
    QB_NUMBER(RIHigh, OptionalFlag),
    QB_NUMBER(RILow, OptionalFlag),
    QB_NUMBER(DCDHigh, OptionalFlag),
    QB_NUMBER(DCDLow, OptionalFlag),
    QB_NUMBER(DuplicateStringFilter, OptionalFlag),
    QB_NUMBER(DuplicateFilterTime, OptionalMilliseconds),
    QB_TEXT(InitString, RequiredText),
    QB_NUMBER(KeyCase, RequiredChecked),
    QB_NUMBER(IntercharacterDelay, RequiredMilliseconds),
    QB_NUMBER(SendPreAndPostfixKeys, OptionalNumber),
    QB_NUMBER(AutoStart, OptionalNumber),
    QB_NUMBER(HideOnStartup, RequiredNumber),
    QB_NUMBER(HideWindow, RequiredNumber),
    QB_NUMBER(LockOutputWindow, RequiredNumber),
    QB_NUMBER(Logging, OptionalFlag),
    QB_TEXT(LogFilename, OptionalText),
    {"Titles", Rule::RequiredList, nullptr, nullptr, nullptr, nullptr, 0},
    QB_NUMBER(FilterUnkownDataStrings, RequiredNumber),
    QB_NUMBER(TerminationType, RequiredChecked),
    QB_NUMBER(TerminationTimeout, RequiredMilliseconds),
    QB_TEXT(DataStringTerminator, RequiredText),
    QB_NUMBER(HoldForLockedWindow, OptionalFlag),
    QB_NUMBER_OR(HoldTimeLimit, QuilbarProfile::kdwDefaultHoldTimeLimit),
    QB_NUMBER(GS1InputForms, OptionalNumber),
};

#undef QB_TEXT
#undef QB_NUMBER
#undef QB_NUMBER_OR

const char kszDefaultFormatName[] = "Default";
const char kszDefaultFormatOutput[] = "Input() + \"<cr>\"";

bool isRequired(Rule rule)
{
  return rule != Rule::OptionalText && rule != Rule::OptionalNumber && rule != Rule::OptionalFlag
         && rule != Rule::OptionalMilliseconds;
}

bool isText(Rule rule)
{
  return rule == Rule::RequiredText || rule == Rule::OptionalText;
}
}  // namespace

// The owned maps start as their own constructors make them, so only the values and the
// "Default" format are set here (building the key map twice is the dearest part of a profile).
QuilbarProfile::QuilbarProfile()
{
  resetValues();
  addDefaultFormat();
}

QuilbarProfile::QuilbarProfile(const QuilbarProfile& profile)
    : m_dataEditFormatMap(profile.m_dataEditFormatMap),
      m_keyTranslatorMap(profile.m_keyTranslatorMap),
      m_replacementMap(profile.m_replacementMap),
      m_typingRules(profile.m_typingRules)
{
  resetValues();
  copyValues(profile);
}

// Field by field through the setters; a refused setter here means the source was corrupted in
// memory, a programming error.
QuilbarProfile& QuilbarProfile::operator=(const QuilbarProfile& profile)
{
  if (this == &profile)
    return *this;
  copyValues(profile);
  m_dataEditFormatMap = profile.m_dataEditFormatMap;
  m_keyTranslatorMap = profile.m_keyTranslatorMap;
  m_replacementMap = profile.m_replacementMap;
  m_typingRules = profile.m_typingRules;
  return *this;
}

void QuilbarProfile::copyValues(const QuilbarProfile& profile)
{
  for (const ValueSpec& spec : krgValues)
  {
    if (spec.rule == Rule::RequiredList)
      QB_ASSERT(true == setTitles(profile.getTitles()));
    else if (isText(spec.rule))
      QB_ASSERT(true == (this->*spec.pfnSetText)((profile.*spec.pfnGetText)()));
    else
      QB_ASSERT(true == (this->*spec.pfnSetNumber)((profile.*spec.pfnGetNumber)()));
  }
}

void QuilbarProfile::setDefaults()
{
  resetValues();
  addDefaultFormat();
  // The other maps as their constructors make them.
  m_keyTranslatorMap.setDefault();
  m_replacementMap.removeAll();
  m_typingRules.setRules({});
}

void QuilbarProfile::resetValues()
{
  m_strName.clear();
  m_strPort = "COM1";
  m_strSpeed = "9600";
  m_strData = "8";
  m_strParity = "No parity";
  m_strStop = "1";
  m_dwDTR = 1;
  m_dwRTS = 1;
  m_dwCTSHigh = m_dwCTSLow = m_dwDSRHigh = m_dwDSRLow = 0;
  m_dwRIHigh = m_dwRILow = m_dwDCDHigh = m_dwDCDLow = 0;
  m_dwDuplicateStringFilter = 0;
  m_dwDuplicateFilterTime = 0;
  m_strInitString.clear();
  m_dwKeyCase = 0;
  m_dwIntercharacterDelay = 0;
  m_dwSendPreAndPostfixKeys = 0;
  m_dwAutoStart = 0;
  m_dwHideOnStartup = 0;
  m_dwHideWindow = 0;
  m_dwLockOutputWindow = 0;
  m_dwLogging = 0;
  m_strLogFilename.clear();
  m_rgTitles.clear();
  m_dwFilterUnkownDataStrings = 0;
  m_dwTerminationType = 0;
  m_strDataStringTerminator = "<cr>";
  m_dwTerminationTimeout = 30;
  m_dwHoldForLockedWindow = 0;
  m_dwHoldTimeLimit = kdwDefaultHoldTimeLimit;
  m_dwGS1InputForms = 0;
}

void QuilbarProfile::addDefaultFormat()
{
  // A fresh profile passes every data string on unchanged with a carriage return appended.
  auto pFormat = std::make_unique<DataEditFormat>();
  QB_ASSERT(true == pFormat->setName(kszDefaultFormatName));
  QB_ASSERT(true == pFormat->setOutput(kszDefaultFormatOutput));
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindStringExpression();
  QB_ASSERT(true == pCriteria->setStartPosition(1));
  QB_ASSERT(true == pCriteria->setExpression("*"));
  QB_ASSERT(true == pFormat->getCriteriaMap().add(std::move(pCriteria)));
  m_dataEditFormatMap.removeAll();
  QB_ASSERT(true == m_dataEditFormatMap.add(kszDefaultFormatName, std::move(pFormat)));
}

bool QuilbarProfile::setKeyCase(uint32_t dwKeyCase)
{
  if (dwKeyCase > 2)
    return false;
  m_dwKeyCase = dwKeyCase;
  return true;
}

bool QuilbarProfile::setTerminationType(uint32_t dwType)
{
  if (dwType > 1)
    return false;
  m_dwTerminationType = dwType;
  return true;
}

namespace
{
// One value by its rule; with fOnlyWhenStored a value that is not stored (or of another type)
// is no failure and leaves the profile alone.
bool loadOne(QuilbarProfile& profile, const Registry& regKey, const ValueSpec& spec, bool fOnlyWhenStored,
             std::string& strError)
{
  bool fRead = false;
  std::string strText;
  uint32_t dwNumber = 0;
  TextList rgList;
  if (spec.rule == Rule::RequiredList)
    fRead = regKey.getKeyValue(spec.pszName, rgList);
  else if (isText(spec.rule))
    fRead = regKey.getKeyValue(spec.pszName, strText);
  else
    fRead = regKey.getKeyValue(spec.pszName, dwNumber);
  if (!fRead && fOnlyWhenStored)
    return false;
  if (!fRead && isRequired(spec.rule))
  {
    strError = registrymessages::failedToRead(spec.pszName, regKey);
    return false;
  }
  if (spec.rule == Rule::RequiredFlag || spec.rule == Rule::OptionalFlag)
    dwNumber = (fRead && dwNumber == 1) ? 1 : 0;
  else if (!fRead)
    dwNumber = spec.dwMissing;
  // A stored time beyond what the settings pages offer is taken as their longest: 2^31 or
  // more would otherwise reach Sleep as INFINITE (or a negative int), and anything that long
  // is no setting a user made.
  if ((spec.rule == Rule::RequiredMilliseconds || spec.rule == Rule::OptionalMilliseconds)
      && dwNumber > QuilbarProfile::kdwMaxMilliseconds)
    dwNumber = QuilbarProfile::kdwMaxMilliseconds;

  if (spec.rule == Rule::RequiredList)
    profile.setTitles(rgList);
  else if (isText(spec.rule))
    (profile.*spec.pfnSetText)(strText);
  else if (!(profile.*spec.pfnSetNumber)(dwNumber))
  {
    strError = registrymessages::invalidValue(spec.pszName, regKey);
    return false;
  }
  return true;
}

const ValueSpec* findSpec(const std::string& strName);
}  // namespace

bool QuilbarProfile::loadValues(const Registry& regKey, std::string& strError)
{
  for (const ValueSpec& spec : krgValues)
  {
    if (!loadOne(*this, regKey, spec, false, strError))
      return false;
  }
  return true;
}

bool QuilbarProfile::loadStoredValue(const Registry& regKey, const std::string& strName)
{
  const ValueSpec* pSpec = findSpec(strName);
  std::string strError;
  return pSpec != nullptr && loadOne(*this, regKey, *pSpec, true, strError);
}

bool QuilbarProfile::copyStoredValue(const std::string& strName, const QuilbarProfile& from)
{
  const ValueSpec* pSpec = findSpec(strName);
  if (pSpec == nullptr)
    return false;
  if (pSpec->rule == Rule::RequiredList)
    QB_ASSERT(true == setTitles(from.getTitles()));
  else if (isText(pSpec->rule))
    QB_ASSERT(true == (this->*pSpec->pfnSetText)((from.*pSpec->pfnGetText)()));
  else
    QB_ASSERT(true == (this->*pSpec->pfnSetNumber)((from.*pSpec->pfnGetNumber)()));
  return true;
}

TextList QuilbarProfile::storedValueNames()
{
  TextList rgNames;
  for (const ValueSpec& spec : krgValues)
    rgNames.push_back(spec.pszName);
  return rgNames;
}

bool QuilbarProfile::loadFromRegistry(const Registry& regKey, std::string& strError)
{
  QB_ASSERT(true == regKey.isOpen());
  return loadValues(regKey, strError) && m_dataEditFormatMap.loadFromRegistry(regKey, strError)
         && m_keyTranslatorMap.loadKeyTranslatorMap(regKey, strError)
         && m_replacementMap.loadFromRegistry(regKey, strError) && m_typingRules.loadFromRegistry(regKey, strError);
}

bool QuilbarProfile::saveValues(Registry& regKey) const
{
  for (const ValueSpec& spec : krgValues)
  {
    bool fWritten = false;
    if (spec.rule == Rule::RequiredList)
      fWritten = regKey.createKeyValue(spec.pszName, m_rgTitles);
    else if (isText(spec.rule))
      fWritten = regKey.createKeyValue(spec.pszName, (this->*spec.pfnGetText)());
    else
      fWritten = regKey.createKeyValue(spec.pszName, (this->*spec.pfnGetNumber)());
    if (!fWritten)
      return false;
  }
  return true;
}

bool QuilbarProfile::saveToRegistry(Registry& regKey) const
{
  QB_ASSERT(true == regKey.isOpen());
  return saveValues(regKey) && m_dataEditFormatMap.saveToRegistry(regKey)
         && m_keyTranslatorMap.saveKeyTranslatorMap(regKey) && m_replacementMap.saveToRegistry(regKey)
         && m_typingRules.saveToRegistry(regKey);
}

namespace
{
const ValueSpec* findSpec(const std::string& strName)
{
  for (const ValueSpec& spec : krgValues)
  {
    if (equalsIgnoringCase(strName, spec.pszName))
      return &spec;
  }
  return nullptr;
}
}  // namespace

bool QuilbarProfile::findStoredValue(const std::string& strName, uint32_t& dwType, std::string& strStoredName)
{
  if (equalsIgnoringCase(strName, KeyTranslatorMap::kszKeyTranslatorMap))
  {
    dwType = Registry::kdwTypeBinary;
    strStoredName = KeyTranslatorMap::kszKeyTranslatorMap;
    return true;
  }
  const ValueSpec* pSpec = findSpec(strName);
  if (pSpec == nullptr)
    return false;
  dwType = pSpec->rule == Rule::RequiredList ? Registry::kdwTypeMultiString
           : isText(pSpec->rule)             ? Registry::kdwTypeString
                                             : Registry::kdwTypeDword;
  strStoredName = pSpec->pszName;
  return true;
}

// Letters become their control byte (^M and ^m are both CR); 0x61..0x7F are shifted down by 0x60
// too, everything else after a caret is sent as it is.
std::string QuilbarProfile::encodeInitString(const std::string& strInitString)
{
  std::string strBytes;
  for (size_t i = 0; i < strInitString.size(); ++i)
  {
    unsigned char ch = static_cast<unsigned char>(strInitString[i]);
    if (ch != '^')
    {
      strBytes += static_cast<char>(ch);
      continue;
    }
    if (++i == strInitString.size())
      break;
    unsigned char chNext = static_cast<unsigned char>(strInitString[i]);
    if (chNext >= 'A' && chNext <= 'Z')
      chNext = static_cast<unsigned char>(chNext - 0x40);
    else if (chNext >= 0x61 && chNext <= 0x7F)
      chNext = static_cast<unsigned char>(chNext - 0x60);
    strBytes += static_cast<char>(chNext);
  }
  return strBytes;
}

const char QuilbarProfile::kszInvalidProfileName[] =
    "Only letters and digits may be used as a profile name.";

// An empty name is refused too: it could only make a nameless profile, which the main window
// never allows either.
bool QuilbarProfile::cleanExpressionProfileName(const std::string& strText, std::string& strName)
{
  std::string strClean;
  for (char ch : strText)
  {
    unsigned char by = static_cast<unsigned char>(ch);
    if (by == '"')
      continue;
    bool fAsciiLetterOrDigit = (by >= 'A' && by <= 'Z') || (by >= 'a' && by <= 'z')
                               || (by >= '0' && by <= '9');
    bool fNordicLetter = by == 0xE5 || by == 0xE4 || by == 0xF6 || by == 0xC5 || by == 0xC4
                         || by == 0xD6;
    if (!fAsciiLetterOrDigit && !fNordicLetter)
      return false;
    strClean += ch;
  }
  if (strClean.empty())
    return false;
  strName = strClean;
  return true;
}
