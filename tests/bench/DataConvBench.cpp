// Conversion cost of a typical GS1-128 data string and of a long one, both directions, each
// beside a plain converter of the same notation that produces the same bytes or text.
#include "base/DataConv.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
std::string typicalNotation()
{
  return "0104006381333931<GS>10ABC123<GS>21XY\\<Z<CR>";
}

std::string allBytes()
{
  std::string strBytes;
  for (int i = 0; i < 4096; ++i)
    strBytes += static_cast<char>(i & 0xFF);
  return strBytes;
}

// The byte a name in angle brackets stands for ("<GS>", "<tab>"), or -1.
int plainMnemonic(const std::string& strText, size_t nPos, size_t& nLength)
{
  size_t nClose = strText.find('>', nPos);
  if (nClose == std::string::npos)
    return -1;
  std::string strName = strText.substr(nPos, nClose - nPos + 1);
  for (char& ch : strName)
    if (ch >= 'a' && ch <= 'z')
      ch = static_cast<char>(ch - 'a' + 'A');
  nLength = strName.size();
  if (strName == "<TAB>")
    return 9;
  for (int n = 0; n < 32; ++n)
    if (strName == DataConv::mnemonic(n))
      return n;
  return -1;
}

// The notation decoded the plainest way: names looked up whole, escapes read with the C library.
bool plainParse(const std::string& strText, std::string& strBytes)
{
  strBytes.clear();
  for (size_t nPos = 0; nPos < strText.size();)
  {
    char ch = strText[nPos];
    if (ch == '<')
    {
      size_t nLength = 0;
      int nByte = plainMnemonic(strText, nPos, nLength);
      if (nByte < 0)
        return false;
      strBytes += static_cast<char>(nByte);
      nPos += nLength;
    }
    else if (ch == '\\' && nPos + 1 < strText.size() && (strText[nPos + 1] == 'x' || strText[nPos + 1] == 'd'))
    {
      size_t nDigits = strText[nPos + 1] == 'x' ? 2 : 3;
      if (nPos + 2 + nDigits > strText.size())
        return false;
      std::string strDigits = strText.substr(nPos + 2, nDigits);
      strBytes += static_cast<char>(std::strtol(strDigits.c_str(), nullptr, nDigits == 2 ? 16 : 10));
      nPos += 2 + nDigits;
    }
    else if (ch == '\\')
    {
      if (nPos + 1 >= strText.size())
        return false;
      strBytes += strText[nPos + 1];
      nPos += 2;
    }
    else
    {
      strBytes += ch;
      ++nPos;
    }
  }
  return true;
}

std::string plainRender(const std::string& strBytes)
{
  std::string strText;
  for (char ch : strBytes)
  {
    unsigned char by = static_cast<unsigned char>(ch);
    if (by < 32)
      strText += DataConv::mnemonic(by);
    else if (ch == '<' || ch == '\\')
      strText += std::string("\\") + ch;
    else
      strText += ch;
  }
  return strText;
}

void BM_ParseTypical(benchmark::State& state)
{
  std::string strText = typicalNotation();
  for (auto _ : state)
  {
    std::string strBytes;
    benchmark::DoNotOptimize(DataConv::parse(strText, strBytes));
  }
}
BENCHMARK(BM_ParseTypical);

void BM_ParseTypical_Reference(benchmark::State& state)
{
  std::string strText = typicalNotation();
  std::string strExpected, strPlain;
  if (!DataConv::parse(strText, strExpected) || !plainParse(strText, strPlain) || strPlain != strExpected)
    state.SkipWithError("the plain parser decodes the text differently");
  for (auto _ : state)
  {
    std::string strBytes;
    benchmark::DoNotOptimize(plainParse(strText, strBytes));
  }
}
BENCHMARK(BM_ParseTypical_Reference);

void BM_RenderLong(benchmark::State& state)
{
  std::string strBytes = allBytes();
  for (auto _ : state)
    benchmark::DoNotOptimize(DataConv::render(strBytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(strBytes.size()));
}
BENCHMARK(BM_RenderLong);

void BM_RenderLong_Reference(benchmark::State& state)
{
  std::string strBytes = allBytes();
  if (plainRender(strBytes) != DataConv::render(strBytes))
    state.SkipWithError("the plain renderer writes a different text");
  for (auto _ : state)
    benchmark::DoNotOptimize(plainRender(strBytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(strBytes.size()));
}
BENCHMARK(BM_RenderLong_Reference);
}  // namespace
