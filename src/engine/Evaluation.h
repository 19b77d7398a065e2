#pragma once

#include "ExpressionActions.h"
#include "OutputFunction.h"

#include <cstdint>
#include <string>
#include <vector>

class MainWindowActions;

// One function call of an expression as the user typed it.
struct FunctionCall
{
  std::string strName;                     // as typed, for messages
  std::string strArguments;                // the whole arguments text, blanks trimmed
  std::vector<std::string> rgstrArguments; // items split at ",", quotes and blanks kept

  const std::string& argument(size_t i) const { return rgstrArguments[i]; }
  size_t argumentCount() const { return rgstrArguments.size(); }
};

// The state of one evaluation of an output expression: the data, where output goes, what may
// act, the running program of the format and the error text.
class Evaluation
{
public:
  struct Setup
  {
    ExpressionActions* pActions = nullptr;
    MainWindowActions* pMainWindow = nullptr;
    std::string strData;
    // The symbology identifier the scanner sent before the data ("]d2"), or empty.
    std::string strSymbology;
    OutputFunction pfnOutput = nullptr;
    void* pContext1 = nullptr;
    void* pContext2 = nullptr;
    // False for the syntax check: then not even WaitForAppExit touches the running program.
    bool fRunActions = true;
    std::uint32_t nCallTimeout = 60000;
  };

  Evaluation(const Setup& setup, ProgramHandle& hRunningProgram, std::string& strError);
  Evaluation(const Evaluation&) = delete;
  Evaluation& operator=(const Evaluation&) = delete;

  const std::string& data() const { return m_setup.strData; }
  const std::string& symbology() const { return m_setup.strSymbology; }
  // Active: an output function was supplied, so functions produce output and act.
  bool isActive() const { return m_setup.pfnOutput != nullptr; }
  bool mayRunActions() const { return m_setup.fRunActions; }
  MainWindowActions* mainWindow() const { return m_setup.pMainWindow; }
  ExpressionActions& actions() const { return *m_setup.pActions; }
  std::uint32_t callTimeout() const { return m_setup.nCallTimeout; }

  // Hands a piece to the output function, if there is one; the piece ends at its first zero byte.
  void output(const std::string& strPiece) const;

  // Sets the error text; always false, so a function can end with "return fail(...)".
  bool fail(const std::string& strMessage) const;
  bool failArgumentCount(const FunctionCall& call) const;
  bool failOutOfBounds(const FunctionCall& call) const;

  ProgramHandle runningProgram() const { return m_hRunningProgram; }
  // Replaces the running program, releasing the one it replaces.
  void setRunningProgram(ProgramHandle hProgram);
  void clearRunningProgram() { setRunningProgram(nullptr); }

private:
  Setup m_setup;
  ProgramHandle& m_hRunningProgram;
  std::string& m_strError;
};
