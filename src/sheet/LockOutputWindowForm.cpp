#include "LockOutputWindowForm.h"

#include <algorithm>

const char LockOutputWindowForm::kszExplanation[] =
    "Add window titles of the windows you want to lock output too. You can use the wild card characters ? and * "
    "to define a matching pattern. The strings are case sensitive.";

namespace
{
// Upper case of a code page 1252 byte: ASCII letters, the accented letters 0xE0-0xFE (not the
// division sign 0xF7) and the four letter pairs of the 0x80 row.
unsigned char upperOf(unsigned char by)
{
  if (by >= 'a' && by <= 'z')
    return static_cast<unsigned char>(by - 0x20);
  if (by >= 0xE0 && by <= 0xFE && by != 0xF7)
    return static_cast<unsigned char>(by - 0x20);
  switch (by)
  {
  case 0x9A:
    return 0x8A;
  case 0x9C:
    return 0x8C;
  case 0x9E:
    return 0x8E;
  case 0xFF:
    return 0x9F;
  default:
    return by;
  }
}

std::string folded(const std::string& str)
{
  std::string strFolded(str);
  for (char& ch : strFolded)
    ch = static_cast<char>(upperOf(static_cast<unsigned char>(ch)));
  return strFolded;
}
}  // namespace

LockOutputWindowForm::LockOutputWindowForm(const std::vector<std::string>& rgstrTitles) : m_rgstrEntries(rgstrTitles)
{
  std::stable_sort(m_rgstrEntries.begin(), m_rgstrEntries.end(), &LockOutputWindowForm::sortsBefore);
}

bool LockOutputWindowForm::equalIgnoringCase(const std::string& strA, const std::string& strB)
{
  return folded(strA) == folded(strB);
}

// Case-blind first, so "apple" and "Banana" sort as a reader expects; equal texts in different
// case then by their bytes, so the order never depends on the order of adding.
bool LockOutputWindowForm::sortsBefore(const std::string& strA, const std::string& strB)
{
  std::string strFoldedA = folded(strA);
  std::string strFoldedB = folded(strB);
  auto byteLess = [](char chA, char chB) { return static_cast<unsigned char>(chA) < static_cast<unsigned char>(chB); };
  if (strFoldedA != strFoldedB)
    return std::lexicographical_compare(strFoldedA.begin(), strFoldedA.end(), strFoldedB.begin(), strFoldedB.end(),
                                        byteLess);
  return std::lexicographical_compare(strA.begin(), strA.end(), strB.begin(), strB.end(), byteLess);
}

bool LockOutputWindowForm::add(const std::string& strText, int& nIndex)
{
  if (strText.empty())
    return false;
  for (const std::string& strEntry : m_rgstrEntries)
  {
    if (equalIgnoringCase(strEntry, strText))
      return false;
  }
  auto it = std::upper_bound(m_rgstrEntries.begin(), m_rgstrEntries.end(), strText, &LockOutputWindowForm::sortsBefore);
  nIndex = static_cast<int>(it - m_rgstrEntries.begin());
  m_rgstrEntries.insert(it, strText);
  return true;
}

int LockOutputWindowForm::remove(int nSelected)
{
  if (nSelected < 0 || nSelected >= static_cast<int>(m_rgstrEntries.size()))
    return -1;
  m_rgstrEntries.erase(m_rgstrEntries.begin() + nSelected);
  int nCount = static_cast<int>(m_rgstrEntries.size());
  if (nCount == 0)
    return -1;
  return nSelected < nCount ? nSelected : nCount - 1;
}

bool LockOutputWindowForm::okCloses(const std::string& strEditText, int& nAddedIndex)
{
  nAddedIndex = -1;
  if (strEditText.empty())
    return true;
  add(strEditText, nAddedIndex);
  return false;
}
