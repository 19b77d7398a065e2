// Any expression on any data, evaluated the three ways (pipeline, test dialog, syntax check),
// must end without a crash or hang, and report an error text exactly when it fails. The system
// and the main window are recording fakes, so no fuzzed expression acts on the machine.
#include "engine/ExpressionEvaluator.h"
#include "RecordingExpressionActions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
void appendPiece(const char* pszPiece, void* pContext1, void*)
{
  std::string* pstrOutput = static_cast<std::string*>(pContext1);
  if (pstrOutput->size() < 100000)
    *pstrOutput += pszPiece;
}

void checkErrorTextMatches(bool fOk, const std::string& strError)
{
  if (fOk != strError.empty())
    std::abort();
}

void evaluate(const std::string& strExpression, const std::string& strData, bool fMainWindow)
{
  RecordingExpressionActions actions;
  actions.m_nAnyWindowAt = 10000;  // ends waits for windows that have no time-out
  // A started program answers in "out" with what it was given in "in".
  actions.m_fnOnStart = [](RecordingExpressionActions& fake, const std::string&) {
    fake.m_mapFiles["out"] = fake.m_mapFiles["in"];
  };
  RecordingMainWindow mainWindow;
  ExpressionEvaluator evaluator(actions);
  ProgramHandle hProgram = nullptr;
  std::string strError;
  std::string strOutput;
  bool fOk = evaluator.evaluateExpression(strExpression, hProgram, fMainWindow ? &mainWindow : nullptr, strData,
                                          strError, appendPiece, &strOutput, nullptr);
  checkErrorTextMatches(fOk, strError);
  if (hProgram != nullptr)
    actions.releaseProgram(hProgram);
  if (!actions.m_setOpenPrograms.empty())
    std::abort();  // every started program is released once it is no longer the running one
}
}  // namespace

// The input is the data string, a line feed, then the expression (no line feed: no data).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  std::string strInput(reinterpret_cast<const char*>(pData), nSize);
  size_t nSplit = strInput.find('\n');
  std::string strData = nSplit == std::string::npos ? std::string() : strInput.substr(0, nSplit);
  std::string strExpression = nSplit == std::string::npos ? strInput : strInput.substr(nSplit + 1);

  evaluate(strExpression, strData, true);
  evaluate(strExpression, strData, false);
  std::string strError;
  checkErrorTextMatches(ExpressionEvaluator::checkExpressionSyntax(strExpression, strError), strError);
  return 0;
}
