#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Runs one output expression on a thread of its own, so that the window that asked for it stays
// responsive while an action waits (Delay, WaitForAppExit, Call, ...). Each piece is posted to the
// window as it is produced, then the end; the window takes them on its own thread. Without a main
// window: the main window's actions are skipped, every other action really acts.
class BackgroundEvaluation
{
public:
  // Starts the evaluation. The window is posted uPieceMessage when pieces are waiting and
  // uDoneMessage once, after the last piece. Symbology() gives strSymbology.
  static std::shared_ptr<BackgroundEvaluation> start(HWND hwndNotify, UINT uPieceMessage, UINT uDoneMessage,
                                                     const std::string& strExpression, const std::string& strData,
                                                     const std::string& strSymbology);

  // The pieces produced since the last call, in order.
  std::vector<std::string> takePieces();
  bool isDone() const;
  // After the end: whether the whole expression was evaluated, and the error text if not.
  bool succeeded() const;
  std::string error() const;

  // The window goes away: nothing more is posted to it. An action that still waits runs to its
  // end on its own thread, with its output dropped.
  void abandon();

  // Use start.
  BackgroundEvaluation(HWND hwndNotify, UINT uPieceMessage, UINT uDoneMessage);
  BackgroundEvaluation(const BackgroundEvaluation&) = delete;
  BackgroundEvaluation& operator=(const BackgroundEvaluation&) = delete;

private:
  void run(const std::string& strExpression, const std::string& strData, const std::string& strSymbology);
  static void collectPiece(const char* pszPiece, void* pContext1, void* pContext2);

  mutable std::mutex m_mutex;
  HWND m_hwndNotify;
  UINT m_uPieceMessage;
  UINT m_uDoneMessage;
  std::vector<std::string> m_rgstrPieces;
  bool m_fDone = false;
  bool m_fSucceeded = false;
  std::string m_strError;
};
