#pragma once

#include "ExpressionActions.h"
#include "OutputFunction.h"

#include <cstdint>
#include <string>

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

  // True when the whole expression was evaluated; false with strError set otherwise. Pieces
  // produced before an error have been handed to the output function already. hRunningProgram is
  // the program last started by an expression of the same format.
  bool evaluateExpression(const std::string& strExpression, ProgramHandle& hRunningProgram,
                          MainWindowActions* pMainWindow, const std::string& strData,
                          std::string& strError, OutputFunction pfnOutput, void* pContext1,
                          void* pContext2);

  // Finds syntax errors, wrong argument counts and the argument errors that need no data.
  static bool checkExpressionSyntax(const std::string& strExpression, std::string& strError);

  // Tests shorten Call's wait so a program that never ends costs them no minute.
  void setCallTimeout(std::uint32_t nMilliseconds) { m_nCallTimeout = nMilliseconds; }

private:
  ExpressionActions& m_actions;
  std::uint32_t m_nCallTimeout = kCallTimeout;
};
