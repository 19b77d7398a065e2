#pragma once

#include "ExpressionActions.h"
#include "OutputFunction.h"

#include <cstdint>
#include <string>

class DataEditFormat;
class MainWindowActions;

// Evaluates output expressions: string constants and function calls joined by "+", each piece
// handed in order to an output function. Three ways of calling: the pipeline (main window and
// output function), the format test dialog (output function only) and the syntax check (neither;
// no action runs).
class ExpressionEvaluator
{
public:
  // How long Call waits for its program.
  static const std::uint32_t kCallTimeout = 60000;

  explicit ExpressionEvaluator(ExpressionActions& actions);

  // Evaluates the format's output expression: true when the whole expression was evaluated;
  // false with strError set otherwise. Pieces produced before an error have been handed to the
  // output function already. The format keeps the program its expression started last.
  bool evaluate(DataEditFormat& format, MainWindowActions* pMainWindow, const std::string& strData,
                std::string& strError, OutputFunction pfnOutput, void* pContext1, void* pContext2);

  // Finds syntax errors, wrong argument counts and the argument errors that need no data; runs
  // no action.
  static bool checkSyntax(const DataEditFormat& format, std::string& strError);

  // The same on a bare expression and a running program of the caller's.
  bool evaluateExpression(const std::string& strExpression, ProgramHandle& hRunningProgram,
                          MainWindowActions* pMainWindow, const std::string& strData,
                          std::string& strError, OutputFunction pfnOutput, void* pContext1,
                          void* pContext2);

  static bool checkExpressionSyntax(const std::string& strExpression, std::string& strError);

  // Tests shorten Call's wait so a program that never ends costs them no minute.
  void setCallTimeout(std::uint32_t nMilliseconds) { m_nCallTimeout = nMilliseconds; }

  // The symbology identifier of the data string the next evaluations work on, which Symbology()
  // gives; the pipeline sets it for every string, empty when the scan had none.
  void setSymbology(const std::string& strSymbology) { m_strSymbology = strSymbology; }

private:
  ExpressionActions& m_actions;
  std::uint32_t m_nCallTimeout = kCallTimeout;
  std::string m_strSymbology;
};
