// Cost of evaluating output expressions once per data string, as the pipeline does, with the
// actions replaced by the recording fake (only text functions are measured).
#include "engine/ExpressionEvaluator.h"
#include "RecordingExpressionActions.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
void appendPiece(const char* pszPiece, void* pContext1, void*)
{
  *static_cast<std::string*>(pContext1) += pszPiece;
}

void evaluateRepeatedly(benchmark::State& state, const std::string& strExpression, const std::string& strData)
{
  RecordingExpressionActions actions;
  ExpressionEvaluator evaluator(actions);
  ProgramHandle hProgram = nullptr;
  std::string strOutput;
  std::string strError;
  for (auto _ : state)
  {
    strOutput.clear();
    bool fOk = evaluator.evaluateExpression(strExpression, hProgram, nullptr, strData, strError, appendPiece,
                                            &strOutput, nullptr);
    benchmark::DoNotOptimize(fOk);
    benchmark::DoNotOptimize(strOutput.data());
  }
}

void BM_DefaultFormat(benchmark::State& state)
{
  evaluateRepeatedly(state, "Input() + \"<cr>\"", "4006381333931");
}

void BM_CutAtSeparators(benchmark::State& state)
{
  evaluateRepeatedly(state, "Left(\"-\"-1) + \"<TAB>\" + Mid(\"-\"+1) + \"<TAB>\" + SubStr(\"A\", \"-\") + \"<CR>\"",
                     "ABC-12345-XYZ");
}

void BM_DateAndLongData(benchmark::State& state)
{
  evaluateRepeatedly(state, "Date(\"%Y-%m-%d\") + \" \" + Right(\"END\"-1) + \"<CR>\"",
                     std::string(8000, 'x') + "END");
}
}  // namespace

BENCHMARK(BM_DefaultFormat);
BENCHMARK(BM_CutAtSeparators);
BENCHMARK(BM_DateAndLongData);
