#include "BackgroundEvaluation_win.h"

#include "engine/ExpressionActions_win.h"
#include "engine/ExpressionEvaluator.h"

#include <thread>

BackgroundEvaluation::BackgroundEvaluation(HWND hwndNotify, UINT uPieceMessage, UINT uDoneMessage)
  : m_hwndNotify(hwndNotify), m_uPieceMessage(uPieceMessage), m_uDoneMessage(uDoneMessage)
{
}

// The thread owns a reference to the evaluation and copies of everything it reads, so a window
// that closes while an action waits leaves nothing behind that the thread could still touch. It
// is detached: an action such as WaitForAppExit(0) may wait for ever, and nobody should wait for
// it in turn.
std::shared_ptr<BackgroundEvaluation> BackgroundEvaluation::start(HWND hwndNotify, UINT uPieceMessage,
                                                                 UINT uDoneMessage, const std::string& strExpression,
                                                                 const std::string& strData,
                                                                 const std::string& strSymbology)
{
  auto pEvaluation = std::make_shared<BackgroundEvaluation>(hwndNotify, uPieceMessage, uDoneMessage);
  std::thread([pEvaluation, strExpression, strData, strSymbology] {
    pEvaluation->run(strExpression, strData, strSymbology);
  }).detach();
  return pEvaluation;
}

void BackgroundEvaluation::run(const std::string& strExpression, const std::string& strData,
                               const std::string& strSymbology)
{
  ExpressionActionsWin actions;
  ExpressionEvaluator evaluator(actions);
  evaluator.setSymbology(strSymbology);
  ProgramHandle hRunningProgram = nullptr;
  std::string strError;
  bool fSucceeded = evaluator.evaluateExpression(strExpression, hRunningProgram, nullptr, strData, strError,
                                                 &BackgroundEvaluation::collectPiece, this, nullptr);
  // A program started by RunApp is not waited for by anyone after the test.
  if (hRunningProgram != nullptr)
    actions.releaseProgram(hRunningProgram);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_fDone = true;
  m_fSucceeded = fSucceeded;
  m_strError = strError;
  if (m_hwndNotify != nullptr)
    PostMessageA(m_hwndNotify, m_uDoneMessage, 0, 0);
}

void BackgroundEvaluation::collectPiece(const char* pszPiece, void* pContext1, void*)
{
  auto* pEvaluation = static_cast<BackgroundEvaluation*>(pContext1);
  std::lock_guard<std::mutex> lock(pEvaluation->m_mutex);
  pEvaluation->m_rgstrPieces.emplace_back(pszPiece);
  if (pEvaluation->m_hwndNotify != nullptr)
    PostMessageA(pEvaluation->m_hwndNotify, pEvaluation->m_uPieceMessage, 0, 0);
}

std::vector<std::string> BackgroundEvaluation::takePieces()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::string> rgstrPieces;
  rgstrPieces.swap(m_rgstrPieces);
  return rgstrPieces;
}

bool BackgroundEvaluation::isDone() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_fDone;
}

bool BackgroundEvaluation::succeeded() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_fSucceeded;
}

std::string BackgroundEvaluation::error() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_strError;
}

void BackgroundEvaluation::abandon()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_hwndNotify = nullptr;
  m_rgstrPieces.clear();
}
