#include "DataConv.h"

#include "Assert.h"

#include <cstring>
#include <new>

namespace
{
const char* const krgszMnemonics[32] = {
  "<NUL>", "<SOH>", "<STX>", "<ETX>", "<EOT>", "<ENQ>", "<ACK>", "<BEL>",
  "<BS>",  "<HT>",  "<LF>",  "<VT>",  "<FF>",  "<CR>",  "<SO>",  "<SI>",
  "<DLE>", "<XON>", "<DC2>", "<XOFF>", "<DC4>", "<NAK>", "<SYN>", "<ETB>",
  "<CAN>", "<EM>",  "<SUB>", "<ESC>", "<FS>",  "<GS>",  "<RS>",  "<US>",
};

// ASCII-only case folding: bytes 128-255 must never be changed by the locale.
char foldCase(char c)
{
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool startsWithNoCase(const char* pszRest, size_t nRest, const char* pszPrefix)
{
  size_t nPrefix = std::strlen(pszPrefix);
  if (nRest < nPrefix)
    return false;
  for (size_t i = 0; i < nPrefix; ++i)
    if (foldCase(pszRest[i]) != foldCase(pszPrefix[i]))
      return false;
  return true;
}

int hexDigitValue(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// Reads the three characters after "\d" like atoi: blanks, an optional sign, digits up to the
// first non-digit. A "0x" start is refused rather than guessed at.
bool parseDecimalEscape(const char* pszDigits, unsigned char& byte)
{
  if (pszDigits[0] == '0' && (pszDigits[1] == 'x' || pszDigits[1] == 'X'))
    return false;
  size_t i = 0;
  while (i < 3 && pszDigits[i] == ' ')
    ++i;
  bool fNegative = false;
  if (i < 3 && (pszDigits[i] == '+' || pszDigits[i] == '-'))
    fNegative = pszDigits[i++] == '-';
  int nValue = 0;
  while (i < 3 && pszDigits[i] >= '0' && pszDigits[i] <= '9')
    nValue = nValue * 10 + (pszDigits[i++] - '0');
  if (fNegative)
    nValue = -nValue;
  byte = static_cast<unsigned char>(nValue & 0xFF);
  return true;
}
}  // namespace

const char* DataConv::mnemonic(int nByte)
{
  QB_ASSERT(nByte >= 0 && nByte < 32);
  return krgszMnemonics[nByte];
}

bool DataConv::removeData()
{
  bool fHadData = m_pData != nullptr;
  m_pData.reset();
  m_nLen = 0;
  return fHadData;
}

bool DataConv::addRawData(const char* pData, int nLen)
{
  QB_ASSERT(nLen >= 0);
  QB_ASSERT(nLen == 0 || pData != nullptr);
  if (static_cast<long long>(m_nLen) + nLen + 1 > 0x7FFFFFFF)
    return false;
  std::unique_ptr<char[]> pNew(new (std::nothrow) char[static_cast<size_t>(m_nLen) + nLen + 1]);
  if (!pNew)
    return false;
  if (m_nLen > 0)
    std::memcpy(pNew.get(), m_pData.get(), static_cast<size_t>(m_nLen));
  if (nLen > 0)
    std::memcpy(pNew.get() + m_nLen, pData, static_cast<size_t>(nLen));
  pNew[static_cast<size_t>(m_nLen) + nLen] = '\0';
  m_pData = std::move(pNew);
  m_nLen += nLen;
  return true;
}

bool DataConv::addRawData(const std::string& strData)
{
  if (strData.size() > 0x7FFFFFFE)
    return false;
  return addRawData(strData.data(), static_cast<int>(strData.size()));
}

// Decodes the notation at the start of pszRest (nRest > 0 characters) into one byte.
bool DataConv::parseOne(const char* pszRest, size_t nRest, unsigned char& byte, size_t& nConsumed)
{
  if (pszRest[0] == '\\' && nRest >= 2 && pszRest[1] == 'x')
  {
    if (nRest < 4)
      return false;
    int nHigh = hexDigitValue(pszRest[2]);
    int nLow = hexDigitValue(pszRest[3]);
    if (nHigh < 0 || nLow < 0)
      return false;
    byte = static_cast<unsigned char>(nHigh * 16 + nLow);
    nConsumed = 4;
    return true;
  }
  if (pszRest[0] == '\\' && nRest >= 2 && pszRest[1] == 'd')
  {
    if (nRest < 5)
      return false;
    nConsumed = 5;
    return parseDecimalEscape(pszRest + 2, byte);
  }
  if (pszRest[0] == '\\')
  {
    if (nRest < 2)
      return false;
    byte = static_cast<unsigned char>(pszRest[1]);
    nConsumed = 2;
    return true;
  }
  if (pszRest[0] == '<')
  {
    if (startsWithNoCase(pszRest, nRest, "<TAB>"))
    {
      byte = 9;
      nConsumed = 5;
      return true;
    }
    for (int n = 0; n < 32; ++n)
    {
      if (startsWithNoCase(pszRest, nRest, krgszMnemonics[n]))
      {
        byte = static_cast<unsigned char>(n);
        nConsumed = std::strlen(krgszMnemonics[n]);
        return true;
      }
    }
    return false;
  }
  byte = static_cast<unsigned char>(pszRest[0]);
  nConsumed = 1;
  return true;
}

bool DataConv::addHRData(const std::string& strText)
{
  if (strText.empty())
    return true;
  // The bytes never outnumber the characters, so a scratch block as long as the input suffices;
  // the whole text is parsed before anything is appended, so a failure appends nothing.
  std::unique_ptr<char[]> prgChars(new (std::nothrow) char[strText.size()]);
  QB_ASSERT(NULL != prgChars);
  size_t nDataLen = 0;
  size_t nPos = 0;
  while (nPos < strText.size())
  {
    unsigned char byte = 0;
    size_t nConsumed = 0;
    if (!parseOne(strText.data() + nPos, strText.size() - nPos, byte, nConsumed))
      return false;
    prgChars[nDataLen++] = static_cast<char>(byte);
    nPos += nConsumed;
  }
  if (nDataLen > 0x7FFFFFFE)
    return false;
  bool fAppended = addRawData(prgChars.get(), static_cast<int>(nDataLen));
  QB_ASSERT(true == fAppended);
  return true;
}

bool DataConv::outputHRData(std::string& strOut) const
{
  strOut.clear();
  for (int i = 0; i < m_nLen; ++i)
  {
    unsigned char byte = static_cast<unsigned char>(m_pData[i]);
    if (byte < 32)
      strOut += krgszMnemonics[byte];
    else if (byte == '<')
      strOut += "\\<";
    else if (byte == '\\')
      strOut += "\\\\";
    else
      strOut += static_cast<char>(byte);
  }
  return true;
}

const char* DataConv::getData() const
{
  return m_pData ? m_pData.get() : "";
}

bool DataConv::parse(const std::string& strText, std::string& strBytes)
{
  DataConv conv;
  if (!conv.addHRData(strText))
    return false;
  strBytes.assign(conv.getData(), static_cast<size_t>(conv.getLength()));
  return true;
}

std::string DataConv::render(const std::string& strBytes)
{
  DataConv conv;
  std::string strOut;
  if (conv.addRawData(strBytes))
    conv.outputHRData(strOut);
  return strOut;
}
