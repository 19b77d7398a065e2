#pragma once

// The recipe for producing one byte value on the keyboard. Every setter checks its argument and
// returns false when it refuses it; callers treat a refusal as a programming error.
class KeyTranslator
{
public:
  KeyTranslator() = default;
  KeyTranslator(int nASCII, int nKeyCode, bool fValid, bool fCapsDependent, bool fControl, bool fAlt,
                bool fShift, bool fDiacritic, bool fExtended);
  KeyTranslator(const KeyTranslator& other);
  KeyTranslator& operator=(const KeyTranslator& other);
  virtual ~KeyTranslator() = default;

  int getASCII() const { return m_nASCII; }
  bool setASCII(int nASCII);
  int getKeyCode() const { return m_nKeyCode; }
  bool setKeyCode(int nKeyCode);
  bool getValid() const { return m_fValid; }
  bool setValid(bool fValid);
  bool getCapsDependent() const { return m_fCapsDependent; }
  bool setCapsDependent(bool fCapsDependent);
  bool getControl() const { return m_fControl; }
  bool setControl(bool fControl);
  bool getAlt() const { return m_fAlt; }
  bool setAlt(bool fAlt);
  bool getShift() const { return m_fShift; }
  bool setShift(bool fShift);
  bool getDiacritic() const { return m_fDiacritic; }
  bool setDiacritic(bool fDiacritic);
  bool getExtended() const { return m_fExtended; }
  bool setExtended(bool fExtended);

  // The set-1 scan code of KeyCode.
  int getScanCode() const;

  // All seven flags set: KeyCode is sent as a Unicode character, not as a key.
  bool isUnicodeEntry() const;

  // The seven flags as stored: bit 0 Valid ... bit 6 Extended.
  unsigned char getFlagBits() const;
  void setFlagBits(unsigned char byFlags);

  // Field-by-field equality, ASCII included.
  bool operator==(const KeyTranslator& other) const;
  bool operator!=(const KeyTranslator& other) const { return !(*this == other); }

private:
  void assign(int nASCII, int nKeyCode, bool fValid, bool fCapsDependent, bool fControl, bool fAlt,
              bool fShift, bool fDiacritic, bool fExtended);

  int m_nASCII = 0;
  int m_nKeyCode = 0;
  bool m_fValid = false;
  bool m_fCapsDependent = false;
  bool m_fControl = false;
  bool m_fAlt = false;
  bool m_fShift = false;
  bool m_fDiacritic = false;
  bool m_fExtended = false;
};
