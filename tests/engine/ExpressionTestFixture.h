#pragma once

#include "engine/ExpressionEvaluator.h"
#include "RecordingExpressionActions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Evaluates expressions against the recording fakes and collects what the output function got.
class ExpressionTestFixture : public ::testing::Test
{
protected:
  struct Collected
  {
    std::vector<std::string> rgstrPieces;
    int nForeignContexts = 0;
  };

  static void collect(const char* pszPiece, void* pContext1, void* pContext2)
  {
    Collected* pCollected = static_cast<Collected*>(pContext1);
    if (pContext2 != &kContextMarker)
      ++pCollected->nForeignContexts;
    pCollected->rgstrPieces.push_back(pszPiece);
  }

  // The test dialog's way: an output function, no main window.
  bool run(const std::string& strExpression, const std::string& strData)
  {
    return evaluate(strExpression, strData, nullptr);
  }

  // The pipeline's way: an output function and the main window.
  bool runWithMainWindow(const std::string& strExpression, const std::string& strData)
  {
    return evaluate(strExpression, strData, &m_mainWindow);
  }

  bool evaluate(const std::string& strExpression, const std::string& strData, MainWindowActions* pMainWindow)
  {
    m_collected = Collected();
    m_strError.clear();
    bool fOk = m_evaluator.evaluateExpression(strExpression, m_hProgram, pMainWindow, strData, m_strError,
                                              collect, &m_collected, const_cast<int*>(&kContextMarker));
    EXPECT_EQ(0, m_collected.nForeignContexts) << "context 2 must come back unchanged";
    EXPECT_EQ(fOk, m_strError.empty()) << "an error text exactly when evaluation fails: " << m_strError;
    return fOk;
  }

  // Every piece, each followed by "|", so a test also sees where one piece ends.
  std::string pieces() const
  {
    std::string strJoined;
    for (const std::string& strPiece : m_collected.rgstrPieces)
      strJoined += strPiece + "|";
    return strJoined;
  }

  static constexpr int kContextMarker = 42;

  RecordingExpressionActions m_actions;
  RecordingMainWindow m_mainWindow;
  ExpressionEvaluator m_evaluator{m_actions};
  ProgramHandle m_hProgram = nullptr;
  Collected m_collected;
  std::string m_strError;
};
