#pragma once

#include "base/Registry.h"
#include "engine/DataEditFormatMap.h"
#include "engine/ReplacementMap.h"
#include "keyboard/KeyTranslatorMap.h"
#include "keyboard/TypingRuleList.h"

#include <cstdint>
#include <string>

// One named, complete set of settings: the serial port, how data strings end and are filtered,
// keystroke output, the main window's behaviour, logging, and the profile's own data edit
// formats and input data replacements. Every value has a get/set pair named after its registry
// value; a setter returns false, leaving the value unchanged, only where it checks its argument.
// Flags are stored numbers, 1 meaning on.
class QuilbarProfile
{
public:
  // The longest time the settings pages offer (DuplicateFilterTime, IntercharacterDelay,
  // TerminationTimeout); a longer stored time loads as this.
  static constexpr uint32_t kdwMaxMilliseconds = 10000;

  QuilbarProfile();
  QuilbarProfile(const QuilbarProfile& profile);
  QuilbarProfile& operator=(const QuilbarProfile& profile);
  virtual ~QuilbarProfile() = default;

  // Every value to its default, and the one "Default" format that passes data on with a CR.
  void setDefaults();

  bool setName(const std::string& strName) { m_strName = strName; return true; }
  bool setPort(const std::string& strPort) { m_strPort = strPort; return true; }
  bool setSpeed(const std::string& strSpeed) { m_strSpeed = strSpeed; return true; }
  bool setData(const std::string& strData) { m_strData = strData; return true; }
  bool setParity(const std::string& strParity) { m_strParity = strParity; return true; }
  bool setStop(const std::string& strStop) { m_strStop = strStop; return true; }
  bool setDTR(uint32_t dwDTR) { m_dwDTR = dwDTR; return true; }
  bool setRTS(uint32_t dwRTS) { m_dwRTS = dwRTS; return true; }
  bool setCTSHigh(uint32_t dwOn) { m_dwCTSHigh = dwOn; return true; }
  bool setCTSLow(uint32_t dwOn) { m_dwCTSLow = dwOn; return true; }
  bool setDSRHigh(uint32_t dwOn) { m_dwDSRHigh = dwOn; return true; }
  bool setDSRLow(uint32_t dwOn) { m_dwDSRLow = dwOn; return true; }
  bool setRIHigh(uint32_t dwOn) { m_dwRIHigh = dwOn; return true; }
  bool setRILow(uint32_t dwOn) { m_dwRILow = dwOn; return true; }
  bool setDCDHigh(uint32_t dwOn) { m_dwDCDHigh = dwOn; return true; }
  bool setDCDLow(uint32_t dwOn) { m_dwDCDLow = dwOn; return true; }
  bool setDuplicateStringFilter(uint32_t dwOn) { m_dwDuplicateStringFilter = dwOn; return true; }
  bool setDuplicateFilterTime(uint32_t dwMs) { m_dwDuplicateFilterTime = dwMs; return true; }
  bool setInitString(const std::string& strInit) { m_strInitString = strInit; return true; }
  // 0 Normal, 1 Uppercase, 2 Lowercase; any other number is refused.
  bool setKeyCase(uint32_t dwKeyCase);
  bool setIntercharacterDelay(uint32_t dwMs) { m_dwIntercharacterDelay = dwMs; return true; }
  bool setSendPreAndPostfixKeys(uint32_t dwOn) { m_dwSendPreAndPostfixKeys = dwOn; return true; }
  bool setAutoStart(uint32_t dwOn) { m_dwAutoStart = dwOn; return true; }
  bool setHideOnStartup(uint32_t dwOn) { m_dwHideOnStartup = dwOn; return true; }
  bool setHideWindow(uint32_t dwOn) { m_dwHideWindow = dwOn; return true; }
  bool setLockOutputWindow(uint32_t dwOn) { m_dwLockOutputWindow = dwOn; return true; }
  bool setLogging(uint32_t dwOn) { m_dwLogging = dwOn; return true; }
  bool setLogFilename(const std::string& strFile) { m_strLogFilename = strFile; return true; }
  bool setTitles(const TextList& rgTitles) { m_rgTitles = rgTitles; return true; }
  bool setFilterUnkownDataStrings(uint32_t dwOn) { m_dwFilterUnkownDataStrings = dwOn; return true; }
  // 0 by terminator, 1 by timeout; any other number is refused.
  bool setTerminationType(uint32_t dwType);
  bool setDataStringTerminator(const std::string& strTerm) { m_strDataStringTerminator = strTerm; return true; }
  bool setTerminationTimeout(uint32_t dwMs) { m_dwTerminationTimeout = dwMs; return true; }
  // Beyond the classic values, optional in the registry: strings refused by the output window lock
  // wait (in order) until a locked window is in front, for at most HoldTimeLimit seconds.
  bool setHoldForLockedWindow(uint32_t dwOn) { m_dwHoldForLockedWindow = dwOn; return true; }
  bool setHoldTimeLimit(uint32_t dwSeconds) { m_dwHoldTimeLimit = dwSeconds; return true; }
  // Also optional: which GS1 input forms the pipeline turns into element strings (a mask of
  // GS1Normaliser's forms; bits it does not know are kept, and ignored).
  bool setGS1InputForms(uint32_t dwForms) { m_dwGS1InputForms = dwForms; return true; }

  const std::string& getName() const { return m_strName; }
  const std::string& getPort() const { return m_strPort; }
  const std::string& getSpeed() const { return m_strSpeed; }
  const std::string& getData() const { return m_strData; }
  const std::string& getParity() const { return m_strParity; }
  const std::string& getStop() const { return m_strStop; }
  uint32_t getDTR() const { return m_dwDTR; }
  uint32_t getRTS() const { return m_dwRTS; }
  uint32_t getCTSHigh() const { return m_dwCTSHigh; }
  uint32_t getCTSLow() const { return m_dwCTSLow; }
  uint32_t getDSRHigh() const { return m_dwDSRHigh; }
  uint32_t getDSRLow() const { return m_dwDSRLow; }
  uint32_t getRIHigh() const { return m_dwRIHigh; }
  uint32_t getRILow() const { return m_dwRILow; }
  uint32_t getDCDHigh() const { return m_dwDCDHigh; }
  uint32_t getDCDLow() const { return m_dwDCDLow; }
  uint32_t getDuplicateStringFilter() const { return m_dwDuplicateStringFilter; }
  uint32_t getDuplicateFilterTime() const { return m_dwDuplicateFilterTime; }
  const std::string& getInitString() const { return m_strInitString; }
  uint32_t getKeyCase() const { return m_dwKeyCase; }
  uint32_t getIntercharacterDelay() const { return m_dwIntercharacterDelay; }
  uint32_t getSendPreAndPostfixKeys() const { return m_dwSendPreAndPostfixKeys; }
  uint32_t getAutoStart() const { return m_dwAutoStart; }
  uint32_t getHideOnStartup() const { return m_dwHideOnStartup; }
  uint32_t getHideWindow() const { return m_dwHideWindow; }
  uint32_t getLockOutputWindow() const { return m_dwLockOutputWindow; }
  uint32_t getLogging() const { return m_dwLogging; }
  const std::string& getLogFilename() const { return m_strLogFilename; }
  const TextList& getTitles() const { return m_rgTitles; }
  uint32_t getFilterUnkownDataStrings() const { return m_dwFilterUnkownDataStrings; }
  uint32_t getTerminationType() const { return m_dwTerminationType; }
  const std::string& getDataStringTerminator() const { return m_strDataStringTerminator; }
  uint32_t getTerminationTimeout() const { return m_dwTerminationTimeout; }
  uint32_t getHoldForLockedWindow() const { return m_dwHoldForLockedWindow; }
  uint32_t getHoldTimeLimit() const { return m_dwHoldTimeLimit; }
  uint32_t getGS1InputForms() const { return m_dwGS1InputForms; }

  DataEditFormatMap& getDataEditFormatMap() { return m_dataEditFormatMap; }
  const DataEditFormatMap& getDataEditFormatMap() const { return m_dataEditFormatMap; }
  KeyTranslatorMap& getKeyTranslatorMap() { return m_keyTranslatorMap; }
  const KeyTranslatorMap& getKeyTranslatorMap() const { return m_keyTranslatorMap; }
  ReplacementMap& getReplacementMap() { return m_replacementMap; }
  const ReplacementMap& getReplacementMap() const { return m_replacementMap; }
  // Beyond the classic settings, optional in the registry: how to type into chosen windows.
  TypingRuleList& getTypingRules() { return m_typingRules; }
  const TypingRuleList& getTypingRules() const { return m_typingRules; }

  // Reads the profile from its open key; false with the message in strError. Values read before
  // a failure stay in the record. Times are clamped to kdwMaxMilliseconds.
  bool loadFromRegistry(const Registry& regKey, std::string& strError);
  // Writes the profile into its open key; false at the first write that fails.
  bool saveToRegistry(Registry& regKey) const;
  // The type a value of that name is stored with in a profile key (letter case ignored, as the
  // registry compares names) and its own spelling; false for a name a profile key does not hold.
  static bool findStoredValue(const std::string& strName, uint32_t& dwType, std::string& strStoredName);
  // The names of the values above, in the order they are stored (the key map and the records
  // below a profile key not included).
  static TextList storedValueNames();
  // One of those values read from another key by the rules of loadFromRegistry; false, changing
  // nothing, when the key does not hold it with its type or its setter refuses it.
  bool loadStoredValue(const Registry& regKey, const std::string& strName);
  // One of those values taken over from another profile; false for a name that is none of them.
  bool copyStoredValue(const std::string& strName, const QuilbarProfile& from);

  // The bytes the InitString stands for: a caret and the character after it become one control
  // byte (^M is carriage return); a caret at the very end is dropped.
  static std::string encodeInitString(const std::string& strInitString);
  std::string getInitStringBytes() const { return encodeInitString(m_strInitString); }

  // A profile name given by an output expression: double quotes removed, then only ASCII letters,
  // digits and the Nordic letters of code page 1252 are accepted. False for anything else.
  static bool cleanExpressionProfileName(const std::string& strText, std::string& strName);
  static const char kszInvalidProfileName[];  // "Only letters and digits may be used as a profile name."

  static constexpr uint32_t kdwDefaultHoldTimeLimit = 30;  // seconds

private:
  void resetValues();
  void addDefaultFormat();
  void copyValues(const QuilbarProfile& profile);
  bool loadValues(const Registry& regKey, std::string& strError);
  bool saveValues(Registry& regKey) const;

  std::string m_strName;
  std::string m_strPort;
  std::string m_strSpeed;
  std::string m_strData;
  std::string m_strParity;
  std::string m_strStop;
  uint32_t m_dwDTR;
  uint32_t m_dwRTS;
  uint32_t m_dwCTSHigh;
  uint32_t m_dwCTSLow;
  uint32_t m_dwDSRHigh;
  uint32_t m_dwDSRLow;
  uint32_t m_dwRIHigh;
  uint32_t m_dwRILow;
  uint32_t m_dwDCDHigh;
  uint32_t m_dwDCDLow;
  uint32_t m_dwDuplicateStringFilter;
  uint32_t m_dwDuplicateFilterTime;
  std::string m_strInitString;
  uint32_t m_dwKeyCase;
  uint32_t m_dwIntercharacterDelay;
  uint32_t m_dwSendPreAndPostfixKeys;
  uint32_t m_dwAutoStart;
  uint32_t m_dwHideOnStartup;
  uint32_t m_dwHideWindow;
  uint32_t m_dwLockOutputWindow;
  uint32_t m_dwLogging;
  std::string m_strLogFilename;
  TextList m_rgTitles;
  uint32_t m_dwFilterUnkownDataStrings;
  uint32_t m_dwTerminationType;
  std::string m_strDataStringTerminator;
  uint32_t m_dwTerminationTimeout;
  uint32_t m_dwHoldForLockedWindow;
  uint32_t m_dwHoldTimeLimit;
  uint32_t m_dwGS1InputForms;

  DataEditFormatMap m_dataEditFormatMap;
  KeyTranslatorMap m_keyTranslatorMap;
  ReplacementMap m_replacementMap;
  TypingRuleList m_typingRules;
};
