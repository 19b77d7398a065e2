#include "RegistryFile.h"

#include "Cp1252.h"
#include "Registry.h"

#include <cstdio>

namespace
{
const char kszUnicodeHeader[] = "Windows Registry Editor Version 5.00";
const char kszAnsiHeader[] = "REGEDIT4";
constexpr size_t knMaxNameLength = 16383;  // the longest value name the registry stores
constexpr size_t knHexLineWidth = 76;      // where reg export wraps hex data

bool isTextType(uint32_t dwType)
{
  return dwType == Registry::kdwTypeString || dwType == 2 || dwType == Registry::kdwTypeMultiString;
}

bool isBlank(char16_t ch) { return ch == u' ' || ch == u'\t'; }

std::u16string trimmed(const std::u16string& str)
{
  size_t nStart = 0;
  size_t nEnd = str.size();
  while (nStart < nEnd && isBlank(str[nStart]))
    ++nStart;
  while (nEnd > nStart && (isBlank(str[nEnd - 1]) || str[nEnd - 1] == u'\r'))
    --nEnd;
  return str.substr(nStart, nEnd - nStart);
}

bool startsWith(const std::u16string& str, const char* psz)
{
  size_t i = 0;
  for (; psz[i] != '\0'; ++i)
  {
    if (i >= str.size() || str[i] != static_cast<unsigned char>(psz[i]))
      return false;
  }
  return true;
}

bool toCodePage(const std::u16string& str, std::string& strOut)
{
  strOut.clear();
  for (char16_t ch : str)
  {
    unsigned char by = 0;
    if (!cp1252::fromUnicode(ch, by))
      return false;
    strOut += static_cast<char>(by);
  }
  return true;
}

std::u16string fromCodePage(const std::string& str)
{
  std::u16string strOut;
  for (char ch : str)
    strOut += cp1252::toUnicode(static_cast<unsigned char>(ch));
  return strOut;
}

int hexDigit(char16_t ch)
{
  if (ch >= u'0' && ch <= u'9')
    return ch - u'0';
  if (ch >= u'a' && ch <= u'f')
    return ch - u'a' + 10;
  if (ch >= u'A' && ch <= u'F')
    return ch - u'A' + 10;
  return -1;
}

// Reads the file's lines; the reasons name the line the failing key or value began on.
class Parser
{
public:
  Parser(const std::u16string& strText, bool fUnicodeData, std::vector<RegistryFileKey>& rgKeys)
      : m_strText(strText), m_fUnicodeData(fUnicodeData), m_rgKeys(rgKeys)
  {
  }

  bool run(std::string& strError)
  {
    std::u16string strLine;
    nextLine(strLine);  // the header, checked by the caller
    while (nextLine(strLine))
    {
      int nLine = m_nLine;
      std::u16string strItem = trimmed(strLine);
      bool fParsed = true;
      if (strItem.empty() || strItem[0] == u';')
        continue;
      if (strItem[0] == u'[')
        fParsed = parseKey(strItem);
      else if (strItem[0] == u'"' || strItem[0] == u'@')
        fParsed = parseValue(strItem, nLine);
      else
        m_strReason = "neither a key nor a value";
      if (!fParsed || !m_strReason.empty())
      {
        strError = "line " + std::to_string(nLine) + ": " + m_strReason;
        return false;
      }
    }
    return true;
  }

private:
  bool nextLine(std::u16string& strLine)
  {
    if (m_nPos > m_strText.size())
      return false;
    size_t nEnd = m_strText.find(u'\n', m_nPos);
    if (nEnd == std::u16string::npos)
      nEnd = m_strText.size();
    strLine = m_strText.substr(m_nPos, nEnd - m_nPos);
    m_nPos = nEnd + 1;
    ++m_nLine;
    return true;
  }

  bool fail(const char* pszReason)
  {
    m_strReason = pszReason;
    return false;
  }

  bool parseKey(const std::u16string& strItem)
  {
    if (strItem.back() != u']')
      return fail("a key line without its closing bracket");
    RegistryFileKey key;
    key.nLine = m_nLine;
    std::u16string strPath = strItem.substr(1, strItem.size() - 2);
    if (!strPath.empty() && strPath[0] == u'-')
    {
      key.fDelete = true;
      strPath.erase(0, 1);
    }
    if (trimmed(strPath).empty())
      return fail("a key line without a key");
    if (!toCodePage(strPath, key.strPath))
      return fail("a key name with a character outside code page 1252");
    m_rgKeys.push_back(key);
    return true;
  }

  // A quoted text from nPos (at its opening quote); only \\ and \" are escapes, as the registry
  // editor writes them.
  bool quoted(const std::u16string& strItem, size_t& nPos, std::u16string& strOut)
  {
    strOut.clear();
    for (size_t i = nPos + 1; i < strItem.size(); ++i)
    {
      char16_t ch = strItem[i];
      if (ch == u'"')
      {
        nPos = i + 1;
        return true;
      }
      if (ch == u'\\')
      {
        if (i + 1 >= strItem.size() || (strItem[i + 1] != u'\\' && strItem[i + 1] != u'"'))
          return fail("a backslash that escapes neither a backslash nor a quote");
        ch = strItem[++i];
      }
      strOut += ch;
    }
    return fail("a text without its closing quote");
  }

  bool parseValue(const std::u16string& strItem, int nLine)
  {
    if (m_rgKeys.empty())
      return fail("a value before the first key");
    RegistryFileValue value;
    value.nLine = nLine;
    size_t nPos = 0;
    if (strItem[0] == u'@')
    {
      value.fDefault = true;
      nPos = 1;
    }
    else
    {
      std::u16string strName;
      if (!quoted(strItem, nPos, strName))
        return false;
      if (strName.size() > knMaxNameLength)
        return fail("a value name longer than the registry allows");
      if (!toCodePage(strName, value.strName))
        return fail("a value name with a character outside code page 1252");
    }
    std::u16string strData = trimmed(strItem.substr(nPos));
    if (strData.empty() || strData[0] != u'=')
      return fail("a value without '='");
    strData = trimmed(strData.substr(1));
    if (!parseData(strData, value))
      return false;
    m_rgKeys.back().rgValues.push_back(value);
    return true;
  }

  bool parseData(const std::u16string& strData, RegistryFileValue& value)
  {
    if (strData == u"-")
    {
      value.fDelete = true;
      return true;
    }
    if (!strData.empty() && strData[0] == u'"')
    {
      size_t nPos = 0;
      std::u16string strText;
      if (!quoted(strData, nPos, strText))
        return false;
      if (!trimmed(strData.substr(nPos)).empty())
        return fail("text after the closing quote");
      value.dwType = Registry::kdwTypeString;
      if (!toCodePage(strText, value.strData))
        return fail("a text with a character outside code page 1252");
      value.strData += '\0';
      return true;
    }
    if (startsWith(strData, "dword:"))
      return parseDword(strData.substr(6), value);
    if (startsWith(strData, "hex:"))
    {
      value.dwType = Registry::kdwTypeBinary;
      return parseHex(strData.substr(4), value);
    }
    if (startsWith(strData, "hex("))
    {
      size_t nClose = strData.find(u"):");
      uint64_t qwType = 0;
      if (nClose == std::u16string::npos || nClose == 4 || nClose > 12)
        return fail("a hex type that is no number");
      for (size_t i = 4; i < nClose; ++i)
      {
        int nDigit = hexDigit(strData[i]);
        if (nDigit < 0)
          return fail("a hex type that is no number");
        qwType = qwType * 16 + static_cast<uint64_t>(nDigit);
      }
      value.dwType = static_cast<uint32_t>(qwType);
      return parseHex(strData.substr(nClose + 2), value);
    }
    return fail("data that is neither a text, a dword nor hex bytes");
  }

  bool parseDword(const std::u16string& strDigits, RegistryFileValue& value)
  {
    if (strDigits.empty() || strDigits.size() > 8)
      return fail("a dword that is not 1 to 8 hex digits");
    uint32_t dwValue = 0;
    for (char16_t ch : strDigits)
    {
      int nDigit = hexDigit(ch);
      if (nDigit < 0)
        return fail("a dword that is not 1 to 8 hex digits");
      dwValue = dwValue * 16 + static_cast<uint32_t>(nDigit);
    }
    value.dwType = Registry::kdwTypeDword;
    for (int i = 0; i < 4; ++i)
      value.strData += static_cast<char>((dwValue >> (8 * i)) & 0xFF);
    return true;
  }

  // Comma-separated bytes; a line that ends in a backslash goes on in the next one.
  bool parseHex(std::u16string strBytes, RegistryFileValue& value)
  {
    std::string strRaw;
    for (;;)
    {
      bool fContinued = !strBytes.empty() && strBytes.back() == u'\\';
      if (fContinued)
        strBytes.pop_back();
      if (!hexBytes(trimmed(strBytes), fContinued, strRaw))
        return false;
      if (!fContinued)
        break;
      if (!nextLine(strBytes))
        return fail("hex data continued past the end of the file");
      strBytes = trimmed(strBytes);
    }
    if (m_fUnicodeData && isTextType(value.dwType))
    {
      if (strRaw.size() % 2 != 0)
        return fail("UTF-16 text data of an odd number of bytes");
      std::u16string strUnits;
      for (size_t i = 0; i < strRaw.size(); i += 2)
        strUnits += static_cast<char16_t>(static_cast<unsigned char>(strRaw[i])
                                          | (static_cast<unsigned char>(strRaw[i + 1]) << 8));
      if (!toCodePage(strUnits, strRaw))
        return fail("a text with a character outside code page 1252");
    }
    value.strData = strRaw;
    return true;
  }

  // One line's bytes: "xx,xx,..." with a comma after the last when the data goes on.
  bool hexBytes(const std::u16string& strLine, bool fContinued, std::string& strRaw)
  {
    size_t nPos = 0;
    while (nPos < strLine.size())
    {
      while (nPos < strLine.size() && isBlank(strLine[nPos]))
        ++nPos;
      int nHigh = nPos < strLine.size() ? hexDigit(strLine[nPos]) : -1;
      int nLow = nPos + 1 < strLine.size() ? hexDigit(strLine[nPos + 1]) : -1;
      if (nHigh < 0)
        return fail("hex data that is not two-digit bytes between commas");
      int nByte = nLow < 0 ? nHigh : nHigh * 16 + nLow;
      nPos += nLow < 0 ? 1 : 2;
      strRaw += static_cast<char>(nByte);
      while (nPos < strLine.size() && isBlank(strLine[nPos]))
        ++nPos;
      if (nPos == strLine.size())
        return fContinued ? fail("a continued hex line without its final comma") : true;
      if (strLine[nPos] != u',')
        return fail("hex data that is not two-digit bytes between commas");
      ++nPos;
      if (nPos == strLine.size() && !fContinued)
        return fail("hex data that ends in a comma");
    }
    return true;
  }

  const std::u16string& m_strText;
  bool m_fUnicodeData;
  std::vector<RegistryFileKey>& m_rgKeys;
  size_t m_nPos = 0;
  int m_nLine = 0;
  std::string m_strReason;
};

// The file as UTF-16 code units: with a byte order mark UTF-16LE, without one 8-bit text.
bool decode(const std::string& strBytes, std::u16string& strText)
{
  if (strBytes.size() >= 2 && static_cast<unsigned char>(strBytes[0]) == 0xFF
      && static_cast<unsigned char>(strBytes[1]) == 0xFE)
  {
    if (strBytes.size() % 2 != 0)
      return false;
    for (size_t i = 2; i < strBytes.size(); i += 2)
      strText += static_cast<char16_t>(static_cast<unsigned char>(strBytes[i])
                                       | (static_cast<unsigned char>(strBytes[i + 1]) << 8));
    return true;
  }
  strText = fromCodePage(strBytes);
  return true;
}

std::u16string quotedText(const std::string& str)
{
  std::u16string strOut = u"\"";
  for (char16_t ch : fromCodePage(str))
  {
    if (ch == u'\\' || ch == u'"')
      strOut += u'\\';
    strOut += ch;
  }
  return strOut + u"\"";
}

std::u16string ascii(const char* psz)
{
  std::u16string strOut;
  while (*psz != '\0')
    strOut += static_cast<char16_t>(*psz++);
  return strOut;
}

// A text reg export writes between quotes: one zero at its end, no control characters.
bool isPlainText(const RegistryFileValue& value)
{
  if (value.dwType != Registry::kdwTypeString || value.strData.empty() || value.strData.back() != '\0')
    return false;
  for (size_t i = 0; i + 1 < value.strData.size(); ++i)
  {
    if (static_cast<unsigned char>(value.strData[i]) < 0x20)
      return false;
  }
  return true;
}

std::u16string dataText(const RegistryFileValue& value, size_t nColumn)
{
  char szBuffer[24];
  if (isPlainText(value))
    return quotedText(value.strData.substr(0, value.strData.size() - 1));
  if (value.dwType == Registry::kdwTypeDword && value.strData.size() == 4)
  {
    uint32_t dwValue = 0;
    for (int i = 3; i >= 0; --i)
      dwValue = (dwValue << 8) | static_cast<unsigned char>(value.strData[static_cast<size_t>(i)]);
    std::snprintf(szBuffer, sizeof szBuffer, "dword:%08x", dwValue);
    return ascii(szBuffer);
  }
  std::string strRaw = value.strData;
  if (isTextType(value.dwType))
  {
    strRaw.clear();
    for (char16_t ch : fromCodePage(value.strData))
    {
      strRaw += static_cast<char>(ch & 0xFF);
      strRaw += static_cast<char>(ch >> 8);
    }
  }
  if (value.dwType == Registry::kdwTypeBinary)
    std::snprintf(szBuffer, sizeof szBuffer, "hex:");
  else
    std::snprintf(szBuffer, sizeof szBuffer, "hex(%x):", static_cast<unsigned>(value.dwType));
  std::u16string strOut = ascii(szBuffer);
  nColumn += strOut.size();
  for (size_t i = 0; i < strRaw.size(); ++i)
  {
    std::snprintf(szBuffer, sizeof szBuffer, "%02x", static_cast<unsigned char>(strRaw[i]));
    strOut += ascii(szBuffer);
    nColumn += 2;
    if (i + 1 == strRaw.size())
      break;
    strOut += u',';
    if (++nColumn > knHexLineWidth)
    {
      strOut += u"\\\r\n  ";
      nColumn = 2;
    }
  }
  return strOut;
}
}  // namespace

bool RegistryFile::parse(const std::string& strBytes, std::vector<RegistryFileKey>& rgKeys, std::string& strError)
{
  rgKeys.clear();
  std::u16string strText;
  if (strBytes.size() > kcbMaxFile)
  {
    strError = "the file is larger than " + std::to_string(kcbMaxFile / (1024 * 1024)) + " MB";
    return false;
  }
  if (!decode(strBytes, strText))
  {
    strError = "the file is UTF-16 of an odd number of bytes";
    return false;
  }
  std::u16string strHeader = trimmed(strText.substr(0, strText.find(u'\n')));
  bool fUnicode = strHeader == ascii(kszUnicodeHeader);
  if (!fUnicode && strHeader != ascii(kszAnsiHeader))
  {
    strError = std::string("line 1: the file starts neither with \"") + kszUnicodeHeader + "\" nor with \""
               + kszAnsiHeader + "\"";
    return false;
  }
  Parser parser(strText, fUnicode, rgKeys);
  if (parser.run(strError))
    return true;
  rgKeys.clear();
  return false;
}

std::string RegistryFile::write(const std::vector<RegistryFileKey>& rgKeys)
{
  std::u16string strText = ascii(kszUnicodeHeader) + u"\r\n";
  for (const RegistryFileKey& key : rgKeys)
  {
    if (key.fDelete)
      continue;
    strText += u"\r\n[" + fromCodePage(key.strPath) + u"]\r\n";
    for (const RegistryFileValue& value : key.rgValues)
    {
      if (value.fDelete)
        continue;
      std::u16string strLine = (value.fDefault ? std::u16string(u"@") : quotedText(value.strName)) + u"=";
      strText += strLine + dataText(value, strLine.size()) + u"\r\n";
    }
  }
  strText += u"\r\n";
  std::string strBytes = "\xFF\xFE";
  for (char16_t ch : strText)
  {
    strBytes += static_cast<char>(ch & 0xFF);
    strBytes += static_cast<char>(ch >> 8);
  }
  return strBytes;
}
