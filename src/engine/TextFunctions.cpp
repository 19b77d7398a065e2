#include "TextFunctions.h"

#include "EAN128.h"
#include "Evaluation.h"
#include "ExpressionSyntax.h"

#include <cstring>
#include <ctime>

namespace
{
bool isAllDigits(const std::string& strText)
{
  for (char c : strText)
    if (c < '0' || c > '9')
      return false;
  return true;
}

bool readPosition(Evaluation& evaluation, const std::string& strArgument,
                  const std::string& strSearched, long long& nPosition)
{
  std::string strError;
  if (ExpressionSyntax::parsePosition(strArgument, strSearched, nPosition, strError))
    return true;
  return evaluation.fail(strError);
}

long long dataLength(const Evaluation& evaluation)
{
  return static_cast<long long>(evaluation.data().size());
}

// Only the conversions every C runtime knows are let through: the Microsoft runtime treats an
// unknown one (or a lone "%" at the end) as an invalid parameter and ends the program.
bool isSupportedTimeFormat(const std::string& strFormat)
{
  const char* const kszConversions = "dmyYHMSjaAbBIpwUWxXcZ%";
  for (size_t i = 0; i < strFormat.size(); ++i)
  {
    if (strFormat[i] != '%')
      continue;
    if (i + 1 >= strFormat.size() || std::strchr(kszConversions, strFormat[i + 1]) == nullptr)
      return false;
    ++i;
  }
  return true;
}
}  // namespace

bool TextFunctions::input(Evaluation& evaluation, const FunctionCall&)
{
  evaluation.output(evaluation.data());
  return true;
}

// The identifier the normalisation took off the scan, so a format can tell a QR Code from a label.
bool TextFunctions::symbology(Evaluation& evaluation, const FunctionCall&)
{
  evaluation.output(evaluation.symbology());
  return true;
}

bool TextFunctions::left(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  long long n = 0;
  if (!readPosition(evaluation, call.argument(0), evaluation.data(), n))
    return false;
  if (n > dataLength(evaluation))
    return evaluation.failOutOfBounds(call);
  evaluation.output(n > 0 ? evaluation.data().substr(0, static_cast<size_t>(n)) : std::string());
  return true;
}

bool TextFunctions::right(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  long long n = 0;
  if (!readPosition(evaluation, call.argument(0), evaluation.data(), n))
    return false;
  if (n > dataLength(evaluation))
    return evaluation.failOutOfBounds(call);
  evaluation.output(n > 0 ? evaluation.data().substr(static_cast<size_t>(dataLength(evaluation) - n))
                          : std::string());
  return true;
}

bool TextFunctions::mid(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
  {
    if (call.argumentCount() == 2 && !isAllDigits(ExpressionSyntax::trimBlanks(call.argument(1))))
      return evaluation.fail(ExpressionSyntax::fill("Only digits allowed [ %s ].\n",
                                                    {ExpressionSyntax::trimBlanks(call.argument(1))}));
    return true;
  }
  long long nStart = 0;
  if (!readPosition(evaluation, call.argument(0), evaluation.data(), nStart))
    return false;
  if (call.argumentCount() == 1)
  {
    if (nStart - 1 < 0 || nStart - 1 >= dataLength(evaluation))
      return evaluation.failOutOfBounds(call);
    evaluation.output(evaluation.data().substr(static_cast<size_t>(nStart - 1)));
    return true;
  }
  long long nCount = 0;
  if (!readPosition(evaluation, call.argument(1), evaluation.data(), nCount))
    return false;
  if (nStart + nCount - 1 > dataLength(evaluation) || nStart < 1 || nCount < 1)
    return evaluation.failOutOfBounds(call);
  evaluation.output(evaluation.data().substr(static_cast<size_t>(nStart - 1), static_cast<size_t>(nCount)));
  return true;
}

// The text between two places of the data: from the end of the first argument's text (its
// position plus its length without blanks and quotes) for q - 1 bytes, q being read against the
// data that follows. Both ends are checked against the data before anything is read, also where
// a long first text would put the start beyond the data.
bool TextFunctions::subStr(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  const std::string& strFirst = call.argument(0);
  bool fSubstringArgument = strFirst.compare(0, 9, "Substring") == 0;
  long long nFirst = 0;
  std::string strError;
  if (!ExpressionSyntax::parsePosition(strFirst, evaluation.data(), nFirst, strError) &&
      !fSubstringArgument)
    return evaluation.fail(strError);
  if (fSubstringArgument)
  {
    evaluation.output(std::string());
    return true;
  }
  long long nMarker = static_cast<long long>(ExpressionSyntax::trimBlanksAndQuotes(strFirst).size());
  long long nFrom = nFirst - 1 + nMarker;
  if (nFirst < 1 || nFrom > dataLength(evaluation))
    return evaluation.failOutOfBounds(call);
  std::string strRest = evaluation.data().substr(static_cast<size_t>(nFrom));
  long long nSecond = 0;
  if (!readPosition(evaluation, call.argument(1), strRest, nSecond))
    return false;
  if (nSecond + nFirst - 1 > dataLength(evaluation) || nSecond < 1 ||
      nFrom + nSecond - 1 > dataLength(evaluation))
    return evaluation.failOutOfBounds(call);
  evaluation.output(evaluation.data().substr(static_cast<size_t>(nFrom), static_cast<size_t>(nSecond - 1)));
  return true;
}

// Date and Time are one function; the check runs in full also without an output function so
// the format editor catches a bad format.
bool TextFunctions::dateTime(Evaluation& evaluation, const FunctionCall& call)
{
  const std::string& strArgument = call.argument(0);
  if (strArgument.empty() || strArgument[0] != '"')
    return evaluation.fail(ExpressionSyntax::fill("Argument must be enclosed in quotes [ %s(%s) ].",
                                                  {call.strName, strArgument}));
  if (strArgument.size() < 2)
    return evaluation.fail(ExpressionSyntax::fill("Argument too short [ %s(%s)].", {call.strName, strArgument}));
  std::string strFormat = strArgument.substr(1, strArgument.size() - 2);
  strFormat = strFormat.substr(0, std::strlen(strFormat.c_str()));  // the runtime stops at a zero byte
  char szFormatted[100];
  std::tm time = evaluation.actions().localTime();
  size_t nFormatted = isSupportedTimeFormat(strFormat)
                        ? std::strftime(szFormatted, sizeof(szFormatted), strFormat.c_str(), &time)
                        : 0;
  if (nFormatted == 0)
    return evaluation.fail("Error in date/time expression.");
  evaluation.output(std::string(szFormatted, nFormatted));
  return true;
}

// A fresh parser per call: the data is GS1-128 only for formats that ask for its fields. An AI
// the data does not hold gives an empty text, not an error; "01" and 01 name the same AI.
bool TextFunctions::ean128Field(Evaluation& evaluation, const FunctionCall& call)
{
  if (ExpressionSyntax::readInteger(call.argument(0)) < 0)
    return evaluation.fail(ExpressionSyntax::fill("Negative argument not allowed [ %s(%s) ].",
                                                  {call.strName, call.argument(0)}));
  if (!evaluation.isActive())
    return true;
  EAN128 parser;
  if (!parser.parse(evaluation.data()))
  {
    const char* pszError = parser.getError();
    return evaluation.fail(ExpressionSyntax::fill("EAN128 Error: %s.", {pszError != nullptr ? pszError : ""}));
  }
  const char* pszValue = parser.getField(ExpressionSyntax::trimBlanksAndQuotes(call.argument(0)));
  evaluation.output(pszValue != nullptr ? pszValue : "");
  return true;
}
