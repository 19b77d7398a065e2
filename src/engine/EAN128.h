#pragma once

#include <memory>
#include <string>

// Splits a GS1-128 data string into its elements (application identifier and value) with the help
// of a fixed table of AIs. One parser per data string: construct, parse once, look fields up.
class EAN128
{
public:
  enum
  {
    MAX_AILEN = 4,
    // GS1's longest values (91-99, 8030) hold 90 characters.
    MAX_FIELDLEN = 90,
    MAX_DATAFIELDS = 10
  };

  // One row of the AI table. Only the AI, the format and the decimal indicator take part in
  // parsing; the other texts describe the AI to people.
  struct AIDefinition
  {
    const char* pszAI;           // 2, 3 or 4 digits; the decimal rows carry three
    const char* pszDescription;  // GS1 description
    const char* pszFormat;       // "n2+n14", "n4+n3+n..15", "n4+n14+[an..16]", ...
    const char* pszTitle;        // GS1 data title
    const char* pszUnit;         // unit name, or nullptr
    int nDecimalPoint;           // -1: none; 0: the character after the AI is the decimal count
  };

  static const int kcAIDefinitions = 231;
  static const AIDefinition krgAIDefinitions[kcAIDefinitions];

  EAN128();
  EAN128(const EAN128&) = delete;
  EAN128& operator=(const EAN128&) = delete;

  // Splits the whole text into elements. False with the error text set on the first fault; the
  // elements found before it stay in their slots. An empty text gives no elements and true.
  bool parse(const char* pszData);
  bool parse(const std::string& strData) { return parse(strData.c_str()); }

  // The value of the first element whose AI equals pszAI exactly; nullptr when there is none.
  const char* getField(const char* pszAI) const;
  const char* getField(const std::string& strAI) const { return getField(strAI.c_str()); }

  int getFieldCount() const { return m_nFieldCount; }

  // Slot n (0 <= n < getFieldCount()).
  const char* getFieldAI(int nField) const;
  const char* getFieldValue(int nField) const;

  // The text of the last error; nullptr when no parse has failed yet.
  const char* getError() const { return m_pszError.get(); }

  static const AIDefinition* findAIDefinition(const char* pszData);

  // Which characters a value may hold: digits, GS1 character set 82, set 39 (CPID) or the
  // base64url set of digital signatures.
  enum class Charset
  {
    kNumeric,
    kCset82,
    kCset39,
    kCset64
  };

  // One value specifier of a format text: "n14", "an..20", "[n..12]" (optional: the element may
  // end before it).
  struct Specifier
  {
    Charset charset;
    int nMin;
    int nMax;
    bool fOptional;
  };

  // Reads the specifier between pszSpecifier and pszEnd; nullptr on success, else the error text.
  static const char* readSpecifier(const char* pszSpecifier, const char* pszEnd, Specifier& spec);
  // Whether ch belongs to the specifier's set (blanks never do).
  static bool isAllowed(Charset charset, char ch);
  // GS1 fixes the length of the AIs that begin with these two digits: no separator follows them.
  static bool isLengthPredefined(const char* pszAI);

private:
  struct Field
  {
    char szAI[MAX_AILEN + 1];
    char szValue[MAX_FIELDLEN + 1];
  };

  bool parseElement(const char*& p, const char* pEnd);
  bool holdsOptionalValue(const Specifier& spec, const char* p, const char* pEnd) const;
  bool readValue(const Specifier& spec, const char*& p, const char* pEnd, std::string& strValue);
  bool checkValue(const Specifier& spec, const std::string& strValue);
  bool storeField(const char* pszAI, const std::string& strValue);
  bool fail(const std::string& strError);

  bool m_fRejectBlanks;
  int m_nFieldCount;
  Field m_rgFields[MAX_DATAFIELDS];
  std::unique_ptr<char[]> m_pszError;
};
