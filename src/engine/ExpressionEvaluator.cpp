#include "ExpressionEvaluator.h"

#include "ActionFunctions.h"
#include "base/Assert.h"
#include "base/DataConv.h"
#include "DataEditFormat.h"
#include "Evaluation.h"
#include "ExpressionSyntax.h"
#include "TextFunctions.h"

#include <cstring>

namespace
{
typedef bool (*FunctionBody)(Evaluation& evaluation, const FunctionCall& call);

const int kAnyCount = -1;

struct FunctionEntry
{
  const char* pszName;
  int nMinArguments;  // kAnyCount: any number, all ignored
  int nMaxArguments;
  FunctionBody pfnBody;
};

const FunctionEntry krgFunctions[] = {
  {"Input", 0, 0, TextFunctions::input},
  {"Left", 1, 1, TextFunctions::left},
  {"Right", 1, 1, TextFunctions::right},
  {"Mid", 1, 2, TextFunctions::mid},
  {"SubStr", 2, 2, TextFunctions::subStr},
  {"Date", 1, 1, TextFunctions::dateTime},
  {"Time", 1, 1, TextFunctions::dateTime},
  {"EAN128Field", 1, 1, TextFunctions::ean128Field},
  {"Symbology", 0, 0, TextFunctions::symbology},
  {"Delay", 1, 1, ActionFunctions::delay},
  {"Sleep", 1, 1, ActionFunctions::delay},
  {"Settings", 0, 0, ActionFunctions::settings},
  {"Reboot", kAnyCount, kAnyCount, ActionFunctions::reboot},
  {"RebootForced", kAnyCount, kAnyCount, ActionFunctions::rebootForced},
  {"RunApp", 1, 1, ActionFunctions::runApp},
  {"WaitForAppExit", 1, 1, ActionFunctions::waitForAppExit},
  {"WaitForWindow", 2, 2, ActionFunctions::waitForWindow},
  {"SetFocus", 1, 1, ActionFunctions::setFocus},
  {"SendData", 1, 1, ActionFunctions::sendData},
  {"OpenPort", kAnyCount, kAnyCount, ActionFunctions::openPort},
  {"ClosePort", kAnyCount, kAnyCount, ActionFunctions::closePort},
  {"SetProfile", 1, 1, ActionFunctions::setProfile},
  {"Call", 3, 3, ActionFunctions::call},
};

// ASCII-only, so bytes above 127 never compare equal to a letter whatever the locale.
bool equalsIgnoringCase(const std::string& strText, const char* pszName)
{
  size_t nName = std::strlen(pszName);
  if (strText.size() != nName)
    return false;
  for (size_t i = 0; i < nName; ++i)
  {
    char a = strText[i];
    char b = pszName[i];
    if (a >= 'a' && a <= 'z')
      a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z')
      b = static_cast<char>(b - 'a' + 'A');
    if (a != b)
      return false;
  }
  return true;
}

const FunctionEntry* lookUpFunction(const std::string& strName)
{
  for (const FunctionEntry& entry : krgFunctions)
    if (equalsIgnoringCase(strName, entry.pszName))
      return &entry;
  return nullptr;
}

bool isNameCharacter(char c)
{
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::vector<std::string> splitArguments(const std::string& strArguments)
{
  std::vector<std::string> rgstrArguments;
  std::string strRemainder = strArguments;
  while (!strRemainder.empty())
  {
    std::string strItem;
    std::string strRest;
    ExpressionSyntax::split(strRemainder, ',', strItem, strRest);
    rgstrArguments.push_back(strItem);
    strRemainder.swap(strRest);
  }
  return rgstrArguments;
}

// A constant is a quoted text and nothing after the closing quote but blanks; the text cannot
// hold a double quote (splitting has made two in a row into one, which then closes it).
bool evaluateConstant(Evaluation& evaluation, const std::string& strTerm)
{
  size_t nClose = strTerm.find('"', 1);
  bool fWellFormed = nClose != std::string::npos &&
                     strTerm.find_first_not_of(" \t", nClose + 1) == std::string::npos;
  if (!fWellFormed)
    return evaluation.fail(ExpressionSyntax::fill("Invalid constant string expression [ %s ].", {strTerm}));
  std::string strBytes;
  if (!DataConv::parse(strTerm.substr(1, nClose - 1), strBytes))
    return evaluation.fail(
      ExpressionSyntax::fill("String in constant expression could not be parsed [ %s ].", {strTerm}));
  evaluation.output(strBytes);
  return true;
}

bool hasValidCount(const FunctionEntry& entry, const FunctionCall& call)
{
  if (entry.nMinArguments == kAnyCount)
    return true;
  int nCount = static_cast<int>(call.argumentCount());
  return nCount >= entry.nMinArguments && nCount <= entry.nMaxArguments;
}

// Name, "(", arguments, ")" at the very end. An empty term (a leading "+" or two "+" with only
// blanks between them) fails here as a malformed call.
bool evaluateFunctionCall(Evaluation& evaluation, const std::string& strTerm)
{
  size_t nNameEnd = 0;
  while (nNameEnd < strTerm.size() && isNameCharacter(strTerm[nNameEnd]))
    ++nNameEnd;
  if (strTerm.empty() || strTerm.back() != ')' || nNameEnd >= strTerm.size() || strTerm[nNameEnd] != '(')
    return evaluation.fail(
      ExpressionSyntax::fill("Undefined function or invalid function call syntax [ %s ].", {strTerm}));
  FunctionCall call;
  call.strName = strTerm.substr(0, nNameEnd);
  const FunctionEntry* pEntry = lookUpFunction(call.strName);
  if (pEntry == nullptr)
    return evaluation.fail(ExpressionSyntax::fill("Undefined function [ %s ].", {strTerm}));
  call.strArguments = ExpressionSyntax::trimBlanks(strTerm.substr(nNameEnd + 1, strTerm.size() - nNameEnd - 2));
  call.rgstrArguments = splitArguments(call.strArguments);
  if (!hasValidCount(*pEntry, call))
  {
    if (pEntry->nMaxArguments == 0)
      return evaluation.fail(ExpressionSyntax::fill("Function does not take any arguments [ %s(%s) ].",
                                                    {call.strName, call.strArguments}));
    return evaluation.failArgumentCount(call);
  }
  return pEntry->pfnBody(evaluation, call);
}

bool evaluateTerms(Evaluation& evaluation, const std::string& strExpression)
{
  std::string strRemainder = ExpressionSyntax::trimBlanks(strExpression);
  while (!strRemainder.empty())
  {
    std::string strTerm;
    std::string strRest;
    ExpressionSyntax::split(strRemainder, '+', strTerm, strRest);
    strTerm = ExpressionSyntax::trimBlanks(strTerm);
    bool fDone = !strTerm.empty() && strTerm[0] == '"' ? evaluateConstant(evaluation, strTerm)
                                                       : evaluateFunctionCall(evaluation, strTerm);
    if (!fDone)
      return false;
    strRemainder.swap(strRest);
  }
  return true;
}

// Stands in for the system during the syntax check: only the clock is asked (Date and Time are
// checked in full); anything else would be an action, which the syntax check never runs.
class SyntaxCheckActions : public ExpressionActions
{
public:
  std::uint32_t tickCount() override { return refuse(); }
  std::tm localTime() override
  {
    std::time_t now = std::time(nullptr);
    const std::tm* pLocal = std::localtime(&now);
    return pLocal != nullptr ? *pLocal : std::tm();
  }
  void sleep(std::uint32_t) override { refuse(); }
  ProgramHandle startProgram(const std::string&) override { return refuseHandle(); }
  bool waitForProgram(ProgramHandle, std::uint32_t) override { return refuse() != 0; }
  void releaseProgram(ProgramHandle) override { refuse(); }
  WindowHandle findWindow(const std::string&) override { return refuseHandle(); }
  void bringToFront(WindowHandle) override { refuse(); }
  void putOnClipboard(const std::string&) override { refuse(); }
  bool writeFile(const std::string&, const std::string&) override { return refuse() != 0; }
  bool readFile(const std::string&, std::string&) override { return refuse() != 0; }
  void restartSystem(bool) override { refuse(); }

private:
  static std::uint32_t refuse()
  {
    QB_ASSERT(!"action during the syntax check");
    return 0;
  }
  static void* refuseHandle() { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(refuse())); }
};
}  // namespace

ExpressionEvaluator::ExpressionEvaluator(ExpressionActions& actions) : m_actions(actions)
{
}

bool ExpressionEvaluator::evaluate(DataEditFormat& format, MainWindowActions* pMainWindow, const std::string& strData,
                                   std::string& strError, OutputFunction pfnOutput, void* pContext1, void* pContext2)
{
  ProgramHandle hRunningProgram = format.getRunningProgram();
  bool fOk = evaluateExpression(format.getOutput(), hRunningProgram, pMainWindow, strData, strError, pfnOutput,
                                pContext1, pContext2);
  format.setRunningProgram(hRunningProgram);
  return fOk;
}

bool ExpressionEvaluator::checkSyntax(const DataEditFormat& format, std::string& strError)
{
  return checkExpressionSyntax(format.getOutput(), strError);
}

bool ExpressionEvaluator::evaluateExpression(const std::string& strExpression, ProgramHandle& hRunningProgram,
                                             MainWindowActions* pMainWindow, const std::string& strData,
                                             std::string& strError, OutputFunction pfnOutput,
                                             void* pContext1, void* pContext2)
{
  Evaluation::Setup setup;
  setup.pActions = &m_actions;
  setup.pMainWindow = pMainWindow;
  setup.strData = strData;
  setup.strSymbology = m_strSymbology;
  setup.pfnOutput = pfnOutput;
  setup.pContext1 = pContext1;
  setup.pContext2 = pContext2;
  setup.nCallTimeout = m_nCallTimeout;
  Evaluation evaluation(setup, hRunningProgram, strError);
  return evaluateTerms(evaluation, strExpression);
}

bool ExpressionEvaluator::checkExpressionSyntax(const std::string& strExpression, std::string& strError)
{
  SyntaxCheckActions actions;
  Evaluation::Setup setup;
  setup.pActions = &actions;
  setup.fRunActions = false;
  ProgramHandle hNoProgram = nullptr;
  Evaluation evaluation(setup, hNoProgram, strError);
  return evaluateTerms(evaluation, strExpression);
}
