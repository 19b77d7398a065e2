#include "Evaluation.h"

#include "base/Assert.h"
#include "ExpressionSyntax.h"

Evaluation::Evaluation(const Setup& setup, ProgramHandle& hRunningProgram, std::string& strError)
  : m_setup(setup), m_hRunningProgram(hRunningProgram), m_strError(strError)
{
  QB_ASSERT(NULL != m_setup.pActions);
}

void Evaluation::output(const std::string& strPiece) const
{
  if (m_setup.pfnOutput != nullptr)
    m_setup.pfnOutput(strPiece.c_str(), m_setup.pContext1, m_setup.pContext2);
}

bool Evaluation::fail(const std::string& strMessage) const
{
  m_strError = strMessage;
  return false;
}

bool Evaluation::failArgumentCount(const FunctionCall& call) const
{
  return fail(ExpressionSyntax::fill("Invalid number of arguments [ %s(%s) ].",
                                     {call.strName, call.strArguments}));
}

bool Evaluation::failOutOfBounds(const FunctionCall& call) const
{
  std::string strFirst = call.argumentCount() > 0 ? call.argument(0) : std::string();
  return fail(ExpressionSyntax::fill("Argument out of bounds [ %s(%s) ].", {call.strName, strFirst}));
}

// A started program's handle is of no use once another replaces it or its wait is over;
// releasing it here keeps a format that starts a program per data string from leaking handles.
void Evaluation::setRunningProgram(ProgramHandle hProgram)
{
  if (m_hRunningProgram != nullptr && m_hRunningProgram != hProgram)
    actions().releaseProgram(m_hRunningProgram);
  m_hRunningProgram = hProgram;
}
