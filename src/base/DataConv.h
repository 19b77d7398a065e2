#pragma once

#include <memory>
#include <string>

// The one converter between data strings (arbitrary bytes) and the readable control-character
// notation users type and read: "<CR>", "<GS>", "\x1D", "\d029", "\<" and so on.
class DataConv
{
public:
  DataConv() = default;
  DataConv(const DataConv&) = delete;
  DataConv& operator=(const DataConv&) = delete;

  // Frees the data; false when there was none.
  bool removeData();

  // Appends raw bytes. False only when memory runs out (the data is then unchanged).
  bool addRawData(const char* pData, int nLen);
  bool addRawData(const std::string& strData);

  // Parses the text in the notation and appends the bytes; on failure nothing is appended.
  bool addHRData(const std::string& strText);

  // Replaces strOut by the rendering of the whole data; always true.
  bool outputHRData(std::string& strOut) const;

  // The bytes, always followed by a zero byte (an empty text when there is no data).
  const char* getData() const;
  int getLength() const { return m_nLen; }

  // The mnemonic of a byte below 32, "<NUL>" to "<US>".
  static const char* mnemonic(int nByte);

  // Convenience for callers that convert one value: parse into strBytes; false if malformed.
  static bool parse(const std::string& strText, std::string& strBytes);
  static std::string render(const std::string& strBytes);

private:
  static bool parseOne(const char* pszRest, size_t nRest, unsigned char& byte, size_t& nConsumed);

  std::unique_ptr<char[]> m_pData;
  int m_nLen = 0;
};
