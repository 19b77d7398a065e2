#include "KeyTranslator.h"

#include "KeyTables.h"
#include "base/Assert.h"

namespace
{
enum FlagBit : unsigned char
{
  kbitValid = 0x01,
  kbitCapsDependent = 0x02,
  kbitControl = 0x04,
  kbitAlt = 0x08,
  kbitShift = 0x10,
  kbitDiacritic = 0x20,
  kbitExtended = 0x40,
};

bool isByteValue(int n)
{
  return n >= 0 && n <= 255;
}
}  // namespace

KeyTranslator::KeyTranslator(int nASCII, int nKeyCode, bool fValid, bool fCapsDependent, bool fControl,
                             bool fAlt, bool fShift, bool fDiacritic, bool fExtended)
{
  assign(nASCII, nKeyCode, fValid, fCapsDependent, fControl, fAlt, fShift, fDiacritic, fExtended);
}

KeyTranslator::KeyTranslator(const KeyTranslator& other)
{
  *this = other;
}

KeyTranslator& KeyTranslator::operator=(const KeyTranslator& other)
{
  assign(other.m_nASCII, other.m_nKeyCode, other.m_fValid, other.m_fCapsDependent, other.m_fControl,
         other.m_fAlt, other.m_fShift, other.m_fDiacritic, other.m_fExtended);
  return *this;
}

// Copies go through the setters in field order so a record can never hold a value a setter refuses.
void KeyTranslator::assign(int nASCII, int nKeyCode, bool fValid, bool fCapsDependent, bool fControl,
                           bool fAlt, bool fShift, bool fDiacritic, bool fExtended)
{
  QB_ASSERT(true == setASCII(nASCII));
  QB_ASSERT(true == setKeyCode(nKeyCode));
  QB_ASSERT(true == setValid(fValid));
  QB_ASSERT(true == setCapsDependent(fCapsDependent));
  QB_ASSERT(true == setControl(fControl));
  QB_ASSERT(true == setAlt(fAlt));
  QB_ASSERT(true == setShift(fShift));
  QB_ASSERT(true == setDiacritic(fDiacritic));
  QB_ASSERT(true == setExtended(fExtended));
}

bool KeyTranslator::setASCII(int nASCII)
{
  if (!isByteValue(nASCII))
    return false;
  m_nASCII = nASCII;
  return true;
}

bool KeyTranslator::setKeyCode(int nKeyCode)
{
  if (!isByteValue(nKeyCode))
    return false;
  m_nKeyCode = nKeyCode;
  return true;
}

bool KeyTranslator::setValid(bool fValid)
{
  m_fValid = fValid;
  return true;
}

bool KeyTranslator::setCapsDependent(bool fCapsDependent)
{
  m_fCapsDependent = fCapsDependent;
  return true;
}

bool KeyTranslator::setControl(bool fControl)
{
  m_fControl = fControl;
  return true;
}

bool KeyTranslator::setAlt(bool fAlt)
{
  m_fAlt = fAlt;
  return true;
}

bool KeyTranslator::setShift(bool fShift)
{
  m_fShift = fShift;
  return true;
}

bool KeyTranslator::setDiacritic(bool fDiacritic)
{
  m_fDiacritic = fDiacritic;
  return true;
}

bool KeyTranslator::setExtended(bool fExtended)
{
  m_fExtended = fExtended;
  return true;
}

int KeyTranslator::getScanCode() const
{
  return KeyTables::scanCode(m_nKeyCode);
}

bool KeyTranslator::isUnicodeEntry() const
{
  return m_fValid && m_fCapsDependent && m_fControl && m_fAlt && m_fShift && m_fDiacritic && m_fExtended;
}

unsigned char KeyTranslator::getFlagBits() const
{
  unsigned char byFlags = 0;
  if (m_fValid)
    byFlags |= kbitValid;
  if (m_fCapsDependent)
    byFlags |= kbitCapsDependent;
  if (m_fControl)
    byFlags |= kbitControl;
  if (m_fAlt)
    byFlags |= kbitAlt;
  if (m_fShift)
    byFlags |= kbitShift;
  if (m_fDiacritic)
    byFlags |= kbitDiacritic;
  if (m_fExtended)
    byFlags |= kbitExtended;
  return byFlags;
}

// Bit 7 carries nothing; it is ignored so a stray bit in stored data cannot change a recipe.
void KeyTranslator::setFlagBits(unsigned char byFlags)
{
  QB_ASSERT(true == setValid((byFlags & kbitValid) != 0));
  QB_ASSERT(true == setCapsDependent((byFlags & kbitCapsDependent) != 0));
  QB_ASSERT(true == setControl((byFlags & kbitControl) != 0));
  QB_ASSERT(true == setAlt((byFlags & kbitAlt) != 0));
  QB_ASSERT(true == setShift((byFlags & kbitShift) != 0));
  QB_ASSERT(true == setDiacritic((byFlags & kbitDiacritic) != 0));
  QB_ASSERT(true == setExtended((byFlags & kbitExtended) != 0));
}

bool KeyTranslator::operator==(const KeyTranslator& other) const
{
  return m_nASCII == other.m_nASCII && m_nKeyCode == other.m_nKeyCode && getFlagBits() == other.getFlagBits();
}
